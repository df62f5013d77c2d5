<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
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
