<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>hv::CategoryBar</name>
    <message>
        <source>Applications</source>
        <translation>Anwendungen</translation>
    </message>
    <message>
        <source>Popups</source>
        <translation>Pop-ups</translation>
    </message>
    <message>
        <source>Rules</source>
        <translation>Regeln</translation>
    </message>
    <message>
        <source>Units of Measure</source>
        <translation>Maßeinheiten</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>Sicherheit</translation>
    </message>
    <message>
        <source>Directory Files</source>
        <translation>Verzeichnisdateien</translation>
    </message>
</context>
<context>
    <name>hv::CategoryListModel</name>
    <message>
        <source>Application Title</source>
        <translation>Anwendungstitel</translation>
    </message>
    <message>
        <source>Popup Title</source>
        <translation>Pop-up-Titel</translation>
    </message>
    <message>
        <source>Directory Title</source>
        <translation>Verzeichnistitel</translation>
    </message>
    <message>
        <source>Filename</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Datensätze</translation>
    </message>
    <message>
        <source>Entries</source>
        <translation>Einträge</translation>
    </message>
    <message>
        <source>Date/Time</source>
        <translation>Datum/Uhrzeit</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Create New Application</source>
        <translation>Neue Anwendung erstellen</translation>
    </message>
    <message>
        <source>Create New Popup</source>
        <translation>Neues Pop-up erstellen</translation>
    </message>
    <message>
        <source>Create New DIR File</source>
        <translation>Neue Verzeichnisdatei erstellen</translation>
    </message>
    <message>
        <source>Edit Units of Measure</source>
        <translation>Maßeinheiten bearbeiten</translation>
    </message>
    <message>
        <source>Edit Rules Settings</source>
        <translation>Regeleinstellungen bearbeiten</translation>
    </message>
    <message>
        <source>Edit Security Settings</source>
        <translation>Sicherheitseinstellungen bearbeiten</translation>
    </message>
</context>
<context>
    <name>hv::DataTableModel</name>
    <message>
        <source>…</source>
        <translation>…</translation>
    </message>
    <message>
        <source>Type %1, length %2, %3 decimals</source>
        <translation>Typ %1, Länge %2, %3 Dezimalstellen</translation>
    </message>
</context>
<context>
    <name>hv::DataWindow</name>
    <message>
        <source>Show &amp;deleted records</source>
        <translation>&amp;Gelöschte Datensätze anzeigen</translation>
    </message>
    <message>
        <source>&amp;Export CSV…</source>
        <translation>Als CSV &amp;exportieren …</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Neu laden</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filtern</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Datensätze</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>The data file has changed since it was read. Reload it to see the records as they are now.</source>
        <translation>Die Datendatei wurde geändert, seit sie gelesen wurde. Laden Sie sie neu, um die Datensätze im aktuellen Stand zu sehen.</translation>
    </message>
    <message>
        <source>The data file cannot be shown: %1</source>
        <translation>Die Datendatei kann nicht angezeigt werden: %1</translation>
    </message>
    <message>
        <source>Reading…</source>
        <translation>Wird gelesen …</translation>
    </message>
    <message>
        <source>counting live records…</source>
        <translation>gültige Datensätze werden gezählt …</translation>
    </message>
    <message>
        <source>1 live record</source>
        <translation>1 gültiger Datensatz</translation>
    </message>
    <message>
        <source>%1 live records</source>
        <translation>%1 gültige Datensätze</translation>
    </message>
    <message>
        <source>%1; the header counts %2, last updated %3</source>
        <translation>%1; laut Dateikopf %2, zuletzt geändert am %3</translation>
    </message>
    <message>
        <source>(no date)</source>
        <translation>(kein Datum)</translation>
    </message>
    <message>
        <source>; 1 row matches the filter</source>
        <translation>; 1 Zeile entspricht dem Filter</translation>
    </message>
    <message>
        <source>; %1 rows match the filter</source>
        <translation>; %1 Zeilen entsprechen dem Filter</translation>
    </message>
    <message>
        <source>; building the row index…</source>
        <translation>; Zeilenindex wird erstellt …</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>CSV exportieren</translation>
    </message>
    <message>
        <source>CSV file (*.csv)|*.csv</source>
        <translation>CSV-Datei (*.csv)|*.csv</translation>
    </message>
    <message>
        <source>Exporting the records…</source>
        <translation>Datensätze werden exportiert …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The records could not be exported.</source>
        <translation>Die Datensätze konnten nicht exportiert werden.</translation>
    </message>
    <message>
        <source>Copying the records…</source>
        <translation>Datensätze werden kopiert …</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>The selection is too large to copy: its text would take more than %1 MB. Export CSV writes any number of records to a file.</source>
        <translation>Die Auswahl ist zu groß zum Kopieren: Ihr Text wäre größer als %1 MB. „Als CSV exportieren“ schreibt beliebig viele Datensätze in eine Datei.</translation>
    </message>
    <message>
        <source>The records could not be copied: the data file has changed since it was read.</source>
        <translation>Die Datensätze konnten nicht kopiert werden: Die Datendatei wurde geändert, seit sie gelesen wurde.</translation>
    </message>
    <message>
        <source>The records could not be copied.</source>
        <translation>Die Datensätze konnten nicht kopiert werden.</translation>
    </message>
</context>
<context>
    <name>hv::DirEntriesModel</name>
    <message>
        <source>%1 not found in %2</source>
        <translation>%1 wurde in %2 nicht gefunden</translation>
    </message>
</context>
<context>
    <name>hv::FolderPlaces</name>
    <message>
        <source>&amp;Go to Folder...</source>
        <translation>Zu Ordner &amp;wechseln …</translation>
    </message>
    <message>
        <source>&amp;Recent Folders</source>
        <translation>&amp;Zuletzt verwendete Ordner</translation>
    </message>
    <message>
        <source>Go to Folder</source>
        <translation>Zu Ordner wechseln</translation>
    </message>
    <message>
        <source>&amp;Folder:</source>
        <translation>&amp;Ordner:</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
</context>
<context>
    <name>hv::FolderTree</name>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
</context>
<context>
    <name>hv::HelpOpener</name>
    <message>
        <source>The help file %1 is not there, and the desktop has no program that opens manual pages.

The console&apos;s manual is read in a terminal with:

    man HVAdmin</source>
        <translation>Die Hilfedatei %1 ist nicht vorhanden, und die Arbeitsumgebung hat kein Programm, das Handbuchseiten öffnet.

Das Handbuch der Konsole lässt sich in einem Terminal lesen mit:

    man HVAdmin</translation>
    </message>
    <message>
        <source>

Its README is %1.</source>
        <translation>

Die README-Datei liegt unter %1.</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
</context>
<context>
    <name>hv::HistoryWindow</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Operations</source>
        <translation>Vorgänge</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Operation</source>
        <translation>Vorgang</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Undo the chosen operation</source>
        <translation>Den gewählten Vorgang rückgängig machen</translation>
    </message>
    <message>
        <source>The history could not be read.</source>
        <translation>Der Verlauf konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Undone</source>
        <translation>Rückgängig gemacht</translation>
    </message>
    <message>
        <source>Cannot be undone</source>
        <translation>Nicht rückgängig zu machen</translation>
    </message>
</context>
<context>
    <name>hv::ItemActions</name>
    <message>
        <source>Cleared %1 of %2</source>
        <translation>%1 von %2 geleert</translation>
    </message>
    <message>
        <source>Deleted %1 (%2 deleted permanently)</source>
        <translation>%1 gelöscht (%2 endgültig gelöscht)</translation>
    </message>
    <message>
        <source>Deleted %1 (%2 to the trash)</source>
        <translation>%1 gelöscht (%2 in den Papierkorb verschoben)</translation>
    </message>
    <message>
        <source>Application &amp;FilePack</source>
        <translation>&amp;FilePack der Anwendung</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>&amp;Delete/Clear</source>
        <translation>&amp;Löschen/Leeren</translation>
    </message>
    <message>
        <source>&amp;Clear ___ Data</source>
        <translation>___-Daten &amp;leeren</translation>
    </message>
    <message>
        <source>&amp;Delete ___ and Data</source>
        <translation>___ und &amp;Daten löschen</translation>
    </message>
    <message>
        <source>Create &amp;Shortcut</source>
        <translation>&amp;Verknüpfung erstellen</translation>
    </message>
    <message>
        <source>On &amp;Desktop</source>
        <translation>Auf der &amp;Arbeitsfläche</translation>
    </message>
    <message>
        <source>In &amp;HVLaunch</source>
        <translation>In &amp;HVLaunch</translation>
    </message>
    <message>
        <source>&amp;View Data…</source>
        <translation>&amp;Daten anzeigen …</translation>
    </message>
    <message>
        <source>On &amp;Destop</source>
        <translation>Auf der &amp;Arbeitsfläche</translation>
    </message>
    <message>
        <source>&amp;Rename Dir File</source>
        <translation>Verzeichnisdatei &amp;umbenennen</translation>
    </message>
    <message>
        <source>&amp;Delete Dir File</source>
        <translation>Verzeichnisdatei &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Copy Path</source>
        <translation>Pfad &amp;kopieren</translation>
    </message>
    <message>
        <source>&amp;Open Containing Folder</source>
        <translation>Übergeordneten &amp;Ordner öffnen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>&amp;Clear Application Data</source>
        <translation>Anwendungsdaten &amp;leeren</translation>
    </message>
    <message>
        <source>&amp;Clear Popup Data</source>
        <translation>Pop-up-Daten &amp;leeren</translation>
    </message>
    <message>
        <source>&amp;Delete Application and any Associated Data</source>
        <translation>Anwendung und alle zugehörigen &amp;Daten löschen</translation>
    </message>
    <message>
        <source>&amp;Delete Popup and any Associated Data</source>
        <translation>Pop-up und alle zugehörigen &amp;Daten löschen</translation>
    </message>
    <message>
        <source>&amp;Rename Application</source>
        <translation>Anwendung &amp;umbenennen</translation>
    </message>
    <message>
        <source>&amp;Rename Popup</source>
        <translation>Pop-up &amp;umbenennen</translation>
    </message>
    <message>
        <source>Checking %1</source>
        <translation>%1 wird geprüft</translation>
    </message>
    <message>
        <source>Reading %1</source>
        <translation>%1 wird gelesen</translation>
    </message>
    <message>
        <source>Clearing %1</source>
        <translation>%1 wird geleert</translation>
    </message>
    <message>
        <source>Deleting %1</source>
        <translation>%1 wird gelöscht</translation>
    </message>
    <message>
        <source>Renaming %1</source>
        <translation>%1 wird umbenannt</translation>
    </message>
    <message>
        <source>Renamed %1 to %2</source>
        <translation>%1 in %2 umbenannt</translation>
    </message>
    <message>
        <source>The operation was cancelled.</source>
        <translation>Der Vorgang wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message numerus="yes">
        <source>Cleared %n records of %1</source>
        <translation>
            <numerusform>%n Datensatz von %1 geleert</numerusform>
            <numerusform>%n Datensätze von %1 geleert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Deleted %1 (%n files deleted permanently)</source>
        <translation>
            <numerusform>%1 gelöscht (%n Datei endgültig gelöscht)</numerusform>
            <numerusform>%1 gelöscht (%n Dateien endgültig gelöscht)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Deleted %1 (%n files to the trash)</source>
        <translation>
            <numerusform>%1 gelöscht (%n Datei in den Papierkorb verschoben)</numerusform>
            <numerusform>%1 gelöscht (%n Dateien in den Papierkorb verschoben)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 records</source>
        <translation>
            <numerusform>%1 Datensatz</numerusform>
            <numerusform>%1 Datensätze</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n applications</source>
        <translation>
            <numerusform>%n Anwendung</numerusform>
            <numerusform>%n Anwendungen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n popups</source>
        <translation>
            <numerusform>%n Pop-up</numerusform>
            <numerusform>%n Pop-ups</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n directory files</source>
        <translation>
            <numerusform>%n Verzeichnisdatei</numerusform>
            <numerusform>%n Verzeichnisdateien</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n Datei</numerusform>
            <numerusform>%n Dateien</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Clearing %n items</source>
        <translation>
            <numerusform>%n Eintrag wird geleert</numerusform>
            <numerusform>%n Einträge werden geleert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Deleting %n items</source>
        <translation>
            <numerusform>%n Eintrag wird gelöscht</numerusform>
            <numerusform>%n Einträge werden gelöscht</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>hv::ItemFilterBox</name>
    <message>
        <source>Find items</source>
        <translation>Einträge suchen</translation>
    </message>
    <message>
        <source>Find by title or file name (Ctrl+F)</source>
        <translation>Nach Titel oder Dateiname suchen (Strg+F)</translation>
    </message>
</context>
<context>
    <name>hv::ItemListView</name>
    <message>
        <source>Right Mouse Click Item for Additional Options</source>
        <translation>Rechtsklick auf einen Eintrag für weitere Optionen</translation>
    </message>
    <message>
        <source>Items</source>
        <translation>Einträge</translation>
    </message>
</context>
<context>
    <name>hv::JobProgressView</name>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>The folder %1 is not answering.</source>
        <translation>Der Ordner %1 antwortet nicht.</translation>
    </message>
</context>
<context>
    <name>hv::Main</name>
    <message>
        <source>There is no folder %1. The console opens %2 instead.</source>
        <translation>Es gibt keinen Ordner %1. Die Konsole öffnet stattdessen %2.</translation>
    </message>
</context>
<context>
    <name>hv::MainActions</name>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;History...</source>
        <translation>&amp;Verlauf …</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Lar&amp;ge Icons</source>
        <translation>&amp;Große Symbole</translation>
    </message>
    <message>
        <source>S&amp;mall Icons</source>
        <translation>&amp;Kleine Symbole</translation>
    </message>
    <message>
        <source>&amp;List</source>
        <translation>&amp;Liste</translation>
    </message>
    <message>
        <source>&amp;Details</source>
        <translation>&amp;Details</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;Index</source>
        <translation>&amp;Stichwortverzeichnis</translation>
    </message>
    <message>
        <source>Products</source>
        <translation>Produkte</translation>
    </message>
    <message>
        <source>Online Training</source>
        <translation>Online-Schulungen</translation>
    </message>
    <message>
        <source>Tips Corner</source>
        <translation>Tipps und Tricks</translation>
    </message>
    <message>
        <source>Corvasse Home Page</source>
        <translation>Corvasse-Startseite</translation>
    </message>
    <message>
        <source>&amp;About HV Admin</source>
        <translation>&amp;Über HV Admin</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Corvasse on the &amp;Web...</source>
        <translation>Corvasse im &amp;Web …</translation>
    </message>
</context>
<context>
    <name>hv::ShortcutsWindow</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Tasten</translation>
    </message>
</context>
<context>
    <name>hv::SplitterGrip</name>
    <message>
        <source>Splitter position</source>
        <translation>Position der Trennlinie</translation>
    </message>
</context>
<context>
    <name>hv::StatusNoticePanel</name>
    <message>
        <source>Items shown</source>
        <translation>Angezeigte Einträge</translation>
    </message>
    <message>
        <source>Last operation</source>
        <translation>Letzter Vorgang</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
</context>
<context>
    <name>hv::UndoCommands</name>
    <message>
        <source>&amp;Undo %1</source>
        <translation>%1 &amp;rückgängig machen</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>The operation was cancelled.</source>
        <translation>Der Vorgang wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>Undid %1</source>
        <translation>%1 rückgängig gemacht</translation>
    </message>
</context>
<context>
    <name>hv::frmDIR</name>
    <message>
        <source>Reading %1</source>
        <translation>%1 wird gelesen</translation>
    </message>
    <message>
        <source>The folder %1 is read-only: the directory file cannot be saved there.</source>
        <translation>Der Ordner %1 ist schreibgeschützt: Die Verzeichnisdatei kann dort nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Saving %1</source>
        <translation>%1 wird gespeichert</translation>
    </message>
    <message>
        <source>Reading the chosen templates</source>
        <translation>Die gewählten Vorlagen werden gelesen</translation>
    </message>
</context>
<context>
    <name>hv::frmHVSetup</name>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Reading files: %L1 of %L2</source>
        <translation>Dateien werden gelesen: %L1 von %L2</translation>
    </message>
    <message>
        <source>The folder %1 is not answering.</source>
        <translation>Der Ordner %1 antwortet nicht.</translation>
    </message>
    <message>
        <source>The project folder %1 is read-only: its files cannot be changed.</source>
        <translation>Der Projektordner %1 ist schreibgeschützt: Seine Dateien können nicht geändert werden.</translation>
    </message>
    <message>
        <source>read-only</source>
        <translation>schreibgeschützt</translation>
    </message>
    <message>
        <source>The folder %1 is no longer there.</source>
        <translation>Der Ordner %1 ist nicht mehr vorhanden.</translation>
    </message>
    <message numerus="yes">
        <source>%L1 records</source>
        <translation>
            <numerusform>%L1 Datensatz</numerusform>
            <numerusform>%L1 Datensätze</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 · %2</source>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>Menu bar</source>
        <translation>Menüleiste</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>Kategorien</translation>
    </message>
    <message>
        <source>Project folder</source>
        <translation>Projektordner</translation>
    </message>
    <message>
        <source>View mode</source>
        <translation>Ansichtsmodus</translation>
    </message>
    <message>
        <source>Status bar</source>
        <translation>Statusleiste</translation>
    </message>
    <message>
        <source>Selected project folder</source>
        <translation>Gewählter Projektordner</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Splitter</source>
        <translation>Trennlinie</translation>
    </message>
    <message>
        <source>Selected Project Folder:   </source>
        <translation>Gewählter Projektordner:   </translation>
    </message>
    <message numerus="yes">
        <source>%Ln applications</source>
        <translation>
            <numerusform>%Ln Anwendung</numerusform>
            <numerusform>%Ln Anwendungen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln popups</source>
        <translation>
            <numerusform>%Ln Pop-up</numerusform>
            <numerusform>%Ln Pop-ups</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln directory files</source>
        <translation>
            <numerusform>%Ln Verzeichnisdatei</numerusform>
            <numerusform>%Ln Verzeichnisdateien</numerusform>
        </translation>
    </message>
    <message>
        <source>The folder %1 cannot be told apart from another folder whose name differs only in bytes that are not UTF-8, so it was not opened.</source>
        <translation>Der Ordner %1 lässt sich nicht von einem anderen Ordner unterscheiden, dessen Name sich nur in Bytes unterscheidet, die kein UTF-8 sind. Er wurde daher nicht geöffnet.</translation>
    </message>
    <message>
        <source>Selected Drive invalid.</source>
        <translation>Das gewählte Laufwerk ist ungültig.</translation>
    </message>
</context>
</TS>
