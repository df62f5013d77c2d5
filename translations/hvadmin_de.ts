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
    <name>hv::CheckSecurity</name>
    <message>
        <source>Security file specified could not be opened!
%1</source>
        <translation>Die angegebene Sicherheitsdatei konnte nicht geöffnet werden!
%1</translation>
    </message>
    <message>
        <source>Check Security</source>
        <translation>Sicherheitsprüfung</translation>
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
    <name>hv::DirClass</name>
    <message>
        <source>The application you are trying to add is already included in this Directory File. Please select a unique application.</source>
        <translation>Die Anwendung, die Sie hinzufügen möchten, ist bereits in dieser Verzeichnisdatei enthalten. Bitte wählen Sie eine andere Anwendung.</translation>
    </message>
    <message>
        <source>File Exists</source>
        <translation>Datei vorhanden</translation>
    </message>
    <message>
        <source>Invalid Filename or file does not exist. Add operation cancelled.</source>
        <translation>Ungültiger Dateiname oder die Datei existiert nicht. Das Hinzufügen wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Directory file Caption cannot be blank.</source>
        <translation>Die Beschriftung der Verzeichnisdatei darf nicht leer sein.</translation>
    </message>
    <message>
        <source>Directory file cannot have 0 file entries. Please enter at least one Template.</source>
        <translation>Eine Verzeichnisdatei muss mindestens einen Eintrag haben. Bitte fügen Sie mindestens eine Vorlage hinzu.</translation>
    </message>
</context>
<context>
    <name>hv::DirEntriesModel</name>
    <message>
        <source>%1 not found in %2</source>
        <translation>%1 wurde in %2 nicht gefunden</translation>
    </message>
    <message>
        <source>R (Read Only)</source>
        <translation>R (Nur Lesen)</translation>
    </message>
    <message>
        <source>W (Read/Write)</source>
        <translation>W (Lesen/Schreiben)</translation>
    </message>
    <message>
        <source>Application Title</source>
        <translation>Anwendungstitel</translation>
    </message>
    <message>
        <source>Access Rights</source>
        <translation>Zugriffsrechte</translation>
    </message>
    <message>
        <source>Filename</source>
        <translation>Dateiname</translation>
    </message>
</context>
<context>
    <name>hv::DirFileGrid</name>
    <message>
        <source>Note: You can drag/drop files to reorder them</source>
        <translation>Hinweis: Die Reihenfolge der Dateien lässt sich durch Ziehen und Ablegen ändern</translation>
    </message>
</context>
<context>
    <name>hv::FolderModel</name>
    <message>
        <source>(not answering)</source>
        <translation>(antwortet nicht)</translation>
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
    <name>hv::History</name>
    <message numerus="yes">
        <source>Clear %n applications</source>
        <translation>
            <numerusform>%n Anwendung leeren</numerusform>
            <numerusform>%n Anwendungen leeren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete %n applications</source>
        <translation>
            <numerusform>%n Anwendung löschen</numerusform>
            <numerusform>%n Anwendungen löschen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Clear %n popups</source>
        <translation>
            <numerusform>%n Popup leeren</numerusform>
            <numerusform>%n Popups leeren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete %n popups</source>
        <translation>
            <numerusform>%n Popup löschen</numerusform>
            <numerusform>%n Popups löschen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Clear %n directory files</source>
        <translation>
            <numerusform>%n Verzeichnisdatei leeren</numerusform>
            <numerusform>%n Verzeichnisdateien leeren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete %n directory files</source>
        <translation>
            <numerusform>%n Verzeichnisdatei löschen</numerusform>
            <numerusform>%n Verzeichnisdateien löschen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Clear %n items</source>
        <translation>
            <numerusform>%n Element leeren</numerusform>
            <numerusform>%n Elemente leeren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete %n items</source>
        <translation>
            <numerusform>%n Element löschen</numerusform>
            <numerusform>%n Elemente löschen</numerusform>
        </translation>
    </message>
    <message>
        <source>Clear %1</source>
        <translation>%1 leeren</translation>
    </message>
    <message>
        <source>Delete %1</source>
        <translation>%1 löschen</translation>
    </message>
    <message>
        <source>Rename %1 to %2</source>
        <translation>%1 in %2 umbenennen</translation>
    </message>
    <message>
        <source>The history %1 cannot be read: %2</source>
        <translation>Der Verlauf %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The folder %1 cannot be made.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The lock %1 cannot be opened: %2</source>
        <translation>Die Sperrdatei %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>The history %1 cannot be written: %2</source>
        <translation>Der Verlauf %1 kann nicht geschrieben werden: %2</translation>
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
    <name>hv::ItemDelete</name>
    <message>
        <source>The file %1 could not be deleted. It may be open in another program. The remaining files were not touched.</source>
        <translation>Die Datei %1 konnte nicht gelöscht werden. Möglicherweise ist sie in einem anderen Programm geöffnet. Die übrigen Dateien wurden nicht angetastet.</translation>
    </message>
    <message>
        <source>Delete Failed</source>
        <translation>Löschen fehlgeschlagen</translation>
    </message>
    <message>
        <source>The trash cannot take %1, so nothing more was deleted.</source>
        <translation>Der Papierkorb kann %1 nicht aufnehmen, daher wurde nichts weiter gelöscht.</translation>
    </message>
    <message>
        <source>The template %1 cannot be read, so the files that belong to it cannot be found. Nothing was deleted.</source>
        <translation>Die Vorlage %1 kann nicht gelesen werden, daher lassen sich die zugehörigen Dateien nicht finden. Es wurde nichts gelöscht.</translation>
    </message>
    <message>
        <source>The file %1 no longer exists.</source>
        <translation>Die Datei %1 existiert nicht mehr.</translation>
    </message>
    <message>
        <source>%1 is not an application, popup or directory file.</source>
        <translation>%1 ist weder eine Anwendung noch ein Popup noch eine Verzeichnisdatei.</translation>
    </message>
    <message>
        <source>Warning! Confirm Delete</source>
        <translation>Warnung! Löschen bestätigen</translation>
    </message>
    <message>
        <source>Warning!
All Data will be Lost!</source>
        <translation>Warnung!
Alle Daten gehen verloren!</translation>
    </message>
    <message>
        <source>You are about to delete %1 data records associated with the %2 Application. Do you wish to continue?</source>
        <translation>Sie sind dabei, %1 Datensätze der Anwendung %2 zu löschen. Möchten Sie fortfahren?</translation>
    </message>
    <message>
        <source>Warning!
Application And All Associated Data Will Be Lost!</source>
        <translation>Warnung!
Die Anwendung und alle zugehörigen Daten gehen verloren!</translation>
    </message>
    <message>
        <source>You are about to delete the %2 Application with all %1 data records and the script associated with it. Do you wish to continue?</source>
        <translation>Sie sind dabei, die Anwendung %2 mit allen %1 Datensätzen und dem zugehörigen Skript zu löschen. Möchten Sie fortfahren?</translation>
    </message>
    <message>
        <source>Warning!
All Data Will Be Lost!</source>
        <translation>Warnung!
Alle Daten gehen verloren!</translation>
    </message>
    <message>
        <source>You are about to delete %1 data records associated with the %2 Popup. Do you wish to continue?</source>
        <translation>Sie sind dabei, %1 Datensätze des Popups %2 zu löschen. Möchten Sie fortfahren?</translation>
    </message>
    <message>
        <source>Warning!
Popup And All Associated Data Will Be Lost!</source>
        <translation>Warnung!
Das Popup und alle zugehörigen Daten gehen verloren!</translation>
    </message>
    <message>
        <source>You are about to delete the %2 Popup with all %1 data records associated with it. Do you wish to continue?</source>
        <translation>Sie sind dabei, das Popup %2 mit allen %1 zugehörigen Datensätzen zu löschen. Möchten Sie fortfahren?</translation>
    </message>
    <message>
        <source>The trash cannot take %1. Delete it permanently?</source>
        <translation>Der Papierkorb kann %1 nicht aufnehmen. Endgültig löschen?</translation>
    </message>
    <message>
        <source>Do you wish to delete the %1 file?</source>
        <translation>Möchten Sie die Datei %1 löschen?</translation>
    </message>
    <message>
        <source>Confirm Delete</source>
        <translation>Löschen bestätigen</translation>
    </message>
    <message numerus="yes">
        <source>Delete %n directory files?</source>
        <translation>
            <numerusform>%n Verzeichnisdatei löschen?</numerusform>
            <numerusform>%n Verzeichnisdateien löschen?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Clear the data of %n applications?</source>
        <translation>
            <numerusform>Die Daten von %n Anwendung leeren?</numerusform>
            <numerusform>Die Daten von %n Anwendungen leeren?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Clear the data of %n popups?</source>
        <translation>
            <numerusform>Die Daten von %n Popup leeren?</numerusform>
            <numerusform>Die Daten von %n Popups leeren?</numerusform>
        </translation>
    </message>
    <message>
        <source>Warning!
Applications And All Associated Data Will Be Lost!</source>
        <translation>Warnung!
Die Anwendungen und alle zugehörigen Daten gehen verloren!</translation>
    </message>
    <message numerus="yes">
        <source>Delete %n applications and all their associated data?</source>
        <translation>
            <numerusform>%n Anwendung mit allen zugehörigen Daten löschen?</numerusform>
            <numerusform>%n Anwendungen mit allen zugehörigen Daten löschen?</numerusform>
        </translation>
    </message>
    <message>
        <source>Warning!
Popups And All Associated Data Will Be Lost!</source>
        <translation>Warnung!
Die Popups und alle zugehörigen Daten gehen verloren!</translation>
    </message>
    <message numerus="yes">
        <source>Delete %n popups and all their associated data?</source>
        <translation>
            <numerusform>%n Popup mit allen zugehörigen Daten löschen?</numerusform>
            <numerusform>%n Popups mit allen zugehörigen Daten löschen?</numerusform>
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
    <name>hv::ItemRename</name>
    <message>
        <source>Invalid Filename</source>
        <translation>Ungültiger Dateiname</translation>
    </message>
    <message>
        <source>File Locked</source>
        <translation>Datei gesperrt</translation>
    </message>
    <message>
        <source>Rename Failed</source>
        <translation>Umbenennen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Error occured during Rename operation. The Application files are locked by another process. This may be caused by another Halvora product having this Application Open. Rename operation has been cancelled.</source>
        <translation>Beim Umbenennen ist ein Fehler aufgetreten. Die Dateien der Anwendung sind von einem anderen Prozess gesperrt. Möglicherweise hat ein anderes Halvora-Produkt diese Anwendung geöffnet. Das Umbenennen wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Error occurred during Rename operation. The Popup files are locked by another process. This may be caused by another Halvora product having this Popup open. Rename operation has been cancelled.</source>
        <translation>Beim Umbenennen ist ein Fehler aufgetreten. Die Dateien des Popups sind von einem anderen Prozess gesperrt. Möglicherweise hat ein anderes Halvora-Produkt dieses Popup geöffnet. Das Umbenennen wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Error occurred during Rename operation. %1 Rename operation has been cancelled.</source>
        <translation>Beim Umbenennen ist ein Fehler aufgetreten. %1 Das Umbenennen wurde abgebrochen.</translation>
    </message>
    <message>
        <source>File already exists. Rename operation has been cancelled.</source>
        <translation>Die Datei existiert bereits. Das Umbenennen wurde abgebrochen.</translation>
    </message>
    <message>
        <source>The folder %1 is in the way of the new name.</source>
        <translation>Der Ordner %1 steht dem neuen Namen im Weg.</translation>
    </message>
    <message>
        <source>The file %1 of the new name could not be moved to the trash.</source>
        <translation>Die Datei %1 mit dem neuen Namen konnte nicht in den Papierkorb verschoben werden.</translation>
    </message>
    <message>
        <source>The file %1 could not be renamed to %2.</source>
        <translation>Die Datei %1 konnte nicht in %2 umbenannt werden.</translation>
    </message>
    <message>
        <source>

These files could not be renamed back: %1</source>
        <translation>

Diese Dateien konnten nicht zurückbenannt werden: %1</translation>
    </message>
    <message>
        <source>

These files of the new name were moved to the trash: %1</source>
        <translation>

Diese Dateien mit dem neuen Namen wurden in den Papierkorb verschoben: %1</translation>
    </message>
    <message>
        <source>Please Enter New Application Filename Without an Extension:</source>
        <translation>Bitte geben Sie den neuen Dateinamen der Anwendung ohne Erweiterung ein:</translation>
    </message>
    <message>
        <source>Rename Application</source>
        <translation>Anwendung umbenennen</translation>
    </message>
    <message>
        <source>Please Enter New Popup Filename Without an Extension:</source>
        <translation>Bitte geben Sie den neuen Dateinamen des Popups ohne Erweiterung ein:</translation>
    </message>
    <message>
        <source>Rename Popup</source>
        <translation>Popup umbenennen</translation>
    </message>
    <message>
        <source>Please Enter New DIR Filename Without an Extension:</source>
        <translation>Bitte geben Sie den neuen Namen der Verzeichnisdatei ohne Erweiterung ein:</translation>
    </message>
    <message>
        <source>Rename DIR</source>
        <translation>Verzeichnisdatei umbenennen</translation>
    </message>
    <message>
        <source>Please enter new Application Name without an extension:</source>
        <translation>Bitte geben Sie den neuen Namen der Anwendung ohne Erweiterung ein:</translation>
    </message>
    <message>
        <source>Error occurred during Rename operation. The template %1 cannot be read, so the files that belong to it cannot be found. Rename operation has been cancelled.</source>
        <translation>Beim Umbenennen ist ein Fehler aufgetreten. Die Vorlage %1 kann nicht gelesen werden, daher lassen sich die zugehörigen Dateien nicht finden. Das Umbenennen wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Error occurred during Rename operation. The DIR file could not be renamed. Rename operation has been cancelled.</source>
        <translation>Beim Umbenennen ist ein Fehler aufgetreten. Die Verzeichnisdatei konnte nicht umbenannt werden. Das Umbenennen wurde abgebrochen.</translation>
    </message>
</context>
<context>
    <name>hv::Job</name>
    <message>
        <source>The operation was cancelled.</source>
        <translation>Der Vorgang wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>The operation failed unexpectedly.</source>
        <translation>Der Vorgang ist unerwartet fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Operation Failed</source>
        <translation>Vorgang fehlgeschlagen</translation>
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
    <name>hv::LockCheck</name>
    <message>
        <source>Access has been denied to the application&apos;s (%1) data file you are trying to open. It is unclear why this is occurring. Below is the system error message. Please contact your system administrator to ensure proper network, user and system configurations. This may also be caused by another user accessing the same file. Consult Help for further instructions. You may still open the file but you will be unable to save your changes until the file is unlocked.</source>
        <translation>Der Zugriff auf die Datendatei der Anwendung (%1), die Sie öffnen möchten, wurde verweigert. Die Ursache ist unklar. Unten steht die Fehlermeldung des Systems. Bitte wenden Sie sich an Ihren Systemadministrator, um die Netzwerk-, Benutzer- und Systemeinstellungen prüfen zu lassen. Die Ursache kann auch ein anderer Benutzer sein, der auf dieselbe Datei zugreift. Weitere Hinweise finden Sie in der Hilfe. Sie können die Datei trotzdem öffnen, Ihre Änderungen aber erst speichern, wenn die Datei wieder freigegeben ist.</translation>
    </message>
    <message>
        <source>Access has been denied to the application&apos;s (%1) data file you are trying to open. It is being accessed by another user. The list below shows all current connections to the file. You may still open the file but you will be unable to save your changes until the file is unlocked.</source>
        <translation>Der Zugriff auf die Datendatei der Anwendung (%1), die Sie öffnen möchten, wurde verweigert. Ein anderer Benutzer greift auf sie zu. Die Liste unten zeigt alle aktuellen Verbindungen zu der Datei. Sie können die Datei trotzdem öffnen, Ihre Änderungen aber erst speichern, wenn die Datei wieder freigegeben ist.</translation>
    </message>
    <message>
        <source>The application &apos;s (%1) data file you are trying to open is being used by another Halvora Process running on this computer. This is caused by having the same application open in another Halvora Product. You may still open the file but you will be unable to save your changes until the file is unlocked.</source>
        <translation>Die Datendatei der Anwendung (%1), die Sie öffnen möchten, wird von einem anderen Halvora-Prozess auf diesem Computer verwendet. Die Anwendung ist in einem anderen Halvora-Produkt geöffnet. Sie können die Datei trotzdem öffnen, Ihre Änderungen aber erst speichern, wenn die Datei wieder freigegeben ist.</translation>
    </message>
    <message>
        <source>Error Information</source>
        <translation>Fehlerinformationen</translation>
    </message>
    <message>
        <source>USER</source>
        <translation>BENUTZER</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Rechner</translation>
    </message>
    <message>
        <source>on %1</source>
        <translation>auf %1</translation>
    </message>
</context>
<context>
    <name>hv::LockRetry</name>
    <message>
        <source>Access has been denied to the application (%1) data file you are trying to open. It is unclear why this is occurring. Below is the system error message. Please contact your system administrator to ensure proper network, user and system configurations. This may also be caused by another user accessing the same file. Consult Help for further instructions. You may still open the file but you will be unable to save your changes until the file is unlocked.</source>
        <translation>Der Zugriff auf die Datendatei der Anwendung (%1), die Sie öffnen möchten, wurde verweigert. Die Ursache ist unklar. Unten steht die Fehlermeldung des Systems. Bitte wenden Sie sich an Ihren Systemadministrator, um die Netzwerk-, Benutzer- und Systemeinstellungen prüfen zu lassen. Die Ursache kann auch ein anderer Benutzer sein, der auf dieselbe Datei zugreift. Weitere Hinweise finden Sie in der Hilfe. Sie können die Datei trotzdem öffnen, Ihre Änderungen aber erst speichern, wenn die Datei wieder freigegeben ist.</translation>
    </message>
    <message>
        <source>Access has been denied to the application (%1) data file you are trying to open. It is being accessed by another user. The list below shows all current connections to the file. You may still open the file but you will be unable to save your changes until the file is unlocked.</source>
        <translation>Der Zugriff auf die Datendatei der Anwendung (%1), die Sie öffnen möchten, wurde verweigert. Ein anderer Benutzer greift auf sie zu. Die Liste unten zeigt alle aktuellen Verbindungen zu der Datei. Sie können die Datei trotzdem öffnen, Ihre Änderungen aber erst speichern, wenn die Datei wieder freigegeben ist.</translation>
    </message>
    <message>
        <source>The application &apos;s (%1) data file you are trying to open is being used by another Halvora Process running on this computer. This is caused by having the same application open in another Halvora Product. You may still open the file but you will be unable to save your changes until the file is unlocked.</source>
        <translation>Die Datendatei der Anwendung (%1), die Sie öffnen möchten, wird von einem anderen Halvora-Prozess auf diesem Computer verwendet. Die Anwendung ist in einem anderen Halvora-Produkt geöffnet. Sie können die Datei trotzdem öffnen, Ihre Änderungen aber erst speichern, wenn die Datei wieder freigegeben ist.</translation>
    </message>
    <message>
        <source>File Locked - Error Information</source>
        <translation>Datei gesperrt - Fehlerinformationen</translation>
    </message>
    <message>
        <source>USER</source>
        <translation>BENUTZER</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Rechner</translation>
    </message>
    <message>
        <source>on %1</source>
        <translation>auf %1</translation>
    </message>
</context>
<context>
    <name>hv::Login</name>
    <message>
        <source>Invalid User Name, try again!</source>
        <translation>Ungültiger Benutzername, bitte erneut versuchen!</translation>
    </message>
    <message>
        <source>Invalid Password, try again!</source>
        <translation>Ungültiges Kennwort, bitte erneut versuchen!</translation>
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
    <name>hv::ReadSuiteFolder</name>
    <message>
        <source>Cannot read %1</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
</context>
<context>
    <name>hv::ShellandWait</name>
    <message>
        <source>Error executing the following statement:

%1</source>
        <translation>Fehler beim Ausführen der folgenden Anweisung:

%1</translation>
    </message>
</context>
<context>
    <name>hv::Shortcuts</name>
    <message>
        <source>The shortcut %1 could not be replaced.</source>
        <translation>Die Verknüpfung %1 konnte nicht ersetzt werden.</translation>
    </message>
    <message>
        <source>The shortcut %1 could not be written.</source>
        <translation>Die Verknüpfung %1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>There is no desktop folder to put the shortcut in.</source>
        <translation>Es gibt keinen Schreibtischordner für die Verknüpfung.</translation>
    </message>
    <message>
        <source>The %1 Directory file has been added to HVLaunch.</source>
        <translation>Die Verzeichnisdatei %1 wurde zu HVLaunch hinzugefügt.</translation>
    </message>
    <message>
        <source>The %1 template has been added to HVLaunch.</source>
        <translation>Die Vorlage %1 wurde zu HVLaunch hinzugefügt.</translation>
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
    <name>hv::ShowSave</name>
    <message>
        <source>%1 cannot be told apart from another name that differs only in bytes that are not UTF-8.</source>
        <translation>%1 lässt sich nicht von einem anderen Namen unterscheiden, der sich nur in Bytes unterscheidet, die kein UTF-8 sind.</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 existiert bereits.
Möchten Sie die Datei ersetzen?</translation>
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
    <name>hv::TemplatePickerDialog</name>
    <message>
        <source>Select Application Templates</source>
        <translation>Anwendungsvorlagen auswählen</translation>
    </message>
    <message>
        <source>&amp;Look in:</source>
        <translation>&amp;Suchen in:</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>Look in</source>
        <translation>Suchen in</translation>
    </message>
    <message>
        <source>Recent folders</source>
        <translation>Zuletzt verwendete Ordner</translation>
    </message>
    <message>
        <source>Application templates</source>
        <translation>Anwendungsvorlagen</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation>%1 wird gelesen...</translation>
    </message>
    <message>
        <source>The folder %1 is not answering.</source>
        <translation>Der Ordner %1 antwortet nicht.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be found.</source>
        <translation>Der Ordner %1 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>This template cannot be read.</source>
        <translation>Diese Vorlage kann nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>hv::Trash</name>
    <message>
        <source>The file %1 could not be moved to the trash.</source>
        <translation>Die Datei %1 konnte nicht in den Papierkorb verschoben werden.</translation>
    </message>
    <message>
        <source>Trash</source>
        <translation>Papierkorb</translation>
    </message>
    <message>
        <source>The file %1 no longer exists.</source>
        <translation>Die Datei %1 existiert nicht mehr.</translation>
    </message>
    <message>
        <source>The file %1 could not be deleted.</source>
        <translation>Die Datei %1 konnte nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>The trash cannot take %1.</source>
        <translation>Der Papierkorb kann %1 nicht aufnehmen.</translation>
    </message>
</context>
<context>
    <name>hv::Undo</name>
    <message>
        <source>Undo Failed</source>
        <translation>Rückgängig machen fehlgeschlagen</translation>
    </message>
    <message>
        <source>The file %1 is no longer in the trash, so nothing was undone.</source>
        <translation>Die Datei %1 ist nicht mehr im Papierkorb, daher wurde nichts rückgängig gemacht.</translation>
    </message>
    <message>
        <source>The file %1 is no longer where the operation left it, so nothing was undone.</source>
        <translation>Die Datei %1 ist nicht mehr dort, wo der Vorgang sie hinterlassen hat, daher wurde nichts rückgängig gemacht.</translation>
    </message>
    <message>
        <source>The folder %1 is no longer there, so nothing was undone.</source>
        <translation>Der Ordner %1 ist nicht mehr vorhanden, daher wurde nichts rückgängig gemacht.</translation>
    </message>
    <message>
        <source>The file %1 is in the way, so nothing was undone.</source>
        <translation>Die Datei %1 steht im Weg, daher wurde nichts rückgängig gemacht.</translation>
    </message>
    <message>
        <source>The history holds no operation %1.</source>
        <translation>Der Verlauf enthält keinen Vorgang %1.</translation>
    </message>
    <message>
        <source>%1 has been undone already.</source>
        <translation>„%1“ wurde bereits rückgängig gemacht.</translation>
    </message>
    <message>
        <source>%1 cannot be undone: the file %2 was deleted permanently.</source>
        <translation>„%1“ kann nicht rückgängig gemacht werden: Die Datei %2 wurde endgültig gelöscht.</translation>
    </message>
    <message>
        <source>The file %1 could not be moved back to %2, so nothing was undone.</source>
        <translation>Die Datei %1 konnte nicht nach %2 zurückverschoben werden, daher wurde nichts rückgängig gemacht.</translation>
    </message>
    <message>
        <source> The file %1 is back and stays there.</source>
        <translation> Die Datei %1 ist zurück und bleibt dort.</translation>
    </message>
    <message>
        <source>Undone: %1</source>
        <translation>Rückgängig gemacht: %1</translation>
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
    <name>hv::frmAbout</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>%1.%2 Build %3</source>
        <translation>%1.%2 Build %3</translation>
    </message>
    <message>
        <source>Telephone: %1</source>
        <translation>Telefon: %1</translation>
    </message>
    <message>
        <source>Fax: %1</source>
        <translation>Fax: %1</translation>
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
    <message>
        <source>DIR Caption:</source>
        <translation>DIR-Beschriftung:</translation>
    </message>
    <message>
        <source>File List</source>
        <translation>Dateiliste</translation>
    </message>
    <message>
        <source>Add File</source>
        <translation>Datei hinzufügen</translation>
    </message>
    <message>
        <source>Remove File</source>
        <translation>Datei entfernen</translation>
    </message>
    <message>
        <source>HV Admin - Directory Editor</source>
        <translation>HV Admin - Verzeichniseditor</translation>
    </message>
    <message>
        <source>Menu bar</source>
        <translation>Menüleiste</translation>
    </message>
    <message>
        <source>Applications of the directory</source>
        <translation>Anwendungen des Verzeichnisses</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Öffnen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save  &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <source>The folder of %1 is not answering. Whatever was asked of it may still be done once it answers.</source>
        <translation>Der Ordner von %1 antwortet nicht. Was von ihm verlangt wurde, kann noch geschehen, sobald er antwortet.</translation>
    </message>
    <message>
        <source>Save Dir File As...</source>
        <translation>Verzeichnisdatei speichern unter...</translation>
    </message>
    <message>
        <source>Halvora Dir File (*.DIR)|*.DIR</source>
        <translation>Halvora-Verzeichnisdatei (*.DIR)|*.DIR</translation>
    </message>
    <message>
        <source>Do you wish to save your changes?</source>
        <translation>Möchten Sie Ihre Änderungen speichern?</translation>
    </message>
    <message>
        <source>Save Changes?</source>
        <translation>Änderungen speichern?</translation>
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
<context>
    <name>hv::frmLogin</name>
    <message>
        <source>&amp;User Name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Kennwort:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>HV Admin Security Login</source>
        <translation>HV Admin - Sicherheitsanmeldung</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Anmeldung</translation>
    </message>
</context>
<context>
    <name>hv::frmRename</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>hv::frmWarning</name>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Warning! Confirm Delete</source>
        <translation>Warnung! Löschen bestätigen</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Frage</translation>
    </message>
</context>
<context>
    <name>hv::frmfileLock</name>
    <message>
        <source> Halvora File Access Error</source>
        <translation> Halvora-Dateizugriffsfehler</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Fortfahren</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>File Access Error</source>
        <translation>Dateizugriffsfehler</translation>
    </message>
    <message>
        <source>Connections to the file</source>
        <translation>Verbindungen zur Datei</translation>
    </message>
</context>
</TS>
