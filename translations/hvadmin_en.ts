<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>hv::History</name>
    <message numerus="yes">
        <source>Clear %n applications</source>
        <translation>
            <numerusform>Clear %n application</numerusform>
            <numerusform>Clear %n applications</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete %n applications</source>
        <translation>
            <numerusform>Delete %n application</numerusform>
            <numerusform>Delete %n applications</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Clear %n popups</source>
        <translation>
            <numerusform>Clear %n popup</numerusform>
            <numerusform>Clear %n popups</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete %n popups</source>
        <translation>
            <numerusform>Delete %n popup</numerusform>
            <numerusform>Delete %n popups</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Clear %n directory files</source>
        <translation>
            <numerusform>Clear %n directory file</numerusform>
            <numerusform>Clear %n directory files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete %n directory files</source>
        <translation>
            <numerusform>Delete %n directory file</numerusform>
            <numerusform>Delete %n directory files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Clear %n items</source>
        <translation>
            <numerusform>Clear %n item</numerusform>
            <numerusform>Clear %n items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete %n items</source>
        <translation>
            <numerusform>Delete %n item</numerusform>
            <numerusform>Delete %n items</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>hv::ItemActions</name>
    <message numerus="yes">
        <source>Cleared %n records of %1</source>
        <translation>
            <numerusform>Cleared %n record of %1</numerusform>
            <numerusform>Cleared %n records of %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Deleted %1 (%n files deleted permanently)</source>
        <translation>
            <numerusform>Deleted %1 (%n file deleted permanently)</numerusform>
            <numerusform>Deleted %1 (%n files deleted permanently)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Deleted %1 (%n files to the trash)</source>
        <translation>
            <numerusform>Deleted %1 (%n file to the trash)</numerusform>
            <numerusform>Deleted %1 (%n files to the trash)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 records</source>
        <translation>
            <numerusform>%1 record</numerusform>
            <numerusform>%1 records</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n applications</source>
        <translation>
            <numerusform>%n application</numerusform>
            <numerusform>%n applications</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n popups</source>
        <translation>
            <numerusform>%n popup</numerusform>
            <numerusform>%n popups</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n directory files</source>
        <translation>
            <numerusform>%n directory file</numerusform>
            <numerusform>%n directory files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n file</numerusform>
            <numerusform>%n files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Clearing %n items</source>
        <translation>
            <numerusform>Clearing %n item</numerusform>
            <numerusform>Clearing %n items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Deleting %n items</source>
        <translation>
            <numerusform>Deleting %n item</numerusform>
            <numerusform>Deleting %n items</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>hv::ItemDelete</name>
    <message numerus="yes">
        <source>Delete %n directory files?</source>
        <translation>
            <numerusform>Delete %n directory file?</numerusform>
            <numerusform>Delete %n directory files?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Clear the data of %n applications?</source>
        <translation>
            <numerusform>Clear the data of %n application?</numerusform>
            <numerusform>Clear the data of %n applications?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Clear the data of %n popups?</source>
        <translation>
            <numerusform>Clear the data of %n popup?</numerusform>
            <numerusform>Clear the data of %n popups?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete %n applications and all their associated data?</source>
        <translation>
            <numerusform>Delete %n application and all its associated data?</numerusform>
            <numerusform>Delete %n applications and all their associated data?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete %n popups and all their associated data?</source>
        <translation>
            <numerusform>Delete %n popup and all its associated data?</numerusform>
            <numerusform>Delete %n popups and all their associated data?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>hv::frmHVSetup</name>
    <message numerus="yes">
        <source>%L1 records</source>
        <translation>
            <numerusform>%L1 record</numerusform>
            <numerusform>%L1 records</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln applications</source>
        <translation>
            <numerusform>%Ln application</numerusform>
            <numerusform>%Ln applications</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln popups</source>
        <translation>
            <numerusform>%Ln popup</numerusform>
            <numerusform>%Ln popups</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln directory files</source>
        <translation>
            <numerusform>%Ln directory file</numerusform>
            <numerusform>%Ln directory files</numerusform>
        </translation>
    </message>
</context>
</TS>
