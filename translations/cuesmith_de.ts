<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>DeviceInfoDialog</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>Device Info</source>
        <translation>Geräteinfo</translation>
    </message>
</context>
<context>
    <name>DeviceLinkPanel</name>
    <message>
        <source>&lt;Not Connected&gt;</source>
        <translation>&lt;Nicht verbunden&gt;</translation>
    </message>
    <message>
        <source>&lt;No Permission&gt;</source>
        <translation>&lt;Keine Berechtigung&gt;</translation>
    </message>
    <message>
        <source>The RSX-4 is plugged in, but this user may not open it. Install the udev rule 60-rsx4.rules as the README says (section &quot;The unit stays %1&quot;); if it is installed, unplug the unit and plug it in again.</source>
        <translation>Das RSX-4 ist angeschlossen, aber dieser Benutzer darf es nicht öffnen. Installieren Sie die udev-Regel 60-rsx4.rules, wie es das README beschreibt (Abschnitt „The unit stays %1“); ist sie schon installiert, ziehen Sie das Gerät ab und stecken Sie es wieder ein.</translation>
    </message>
    <message>
        <source>Device Link</source>
        <translation>Geräteverbindung</translation>
    </message>
    <message>
        <source>Unit Connected:</source>
        <translation>Verbundenes Gerät:</translation>
    </message>
    <message>
        <source>Device Info</source>
        <translation>Geräteinfo</translation>
    </message>
    <message>
        <source>Download Preset from RSX-4</source>
        <translation>Preset vom RSX-4 laden</translation>
    </message>
    <message>
        <source>Upload Preset to RSX-4</source>
        <translation>Preset zum RSX-4 senden</translation>
    </message>
    <message>
        <source>Transferring preset to/from RSX-4...</source>
        <translation>Preset wird mit dem RSX-4 übertragen …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Transfer Operation</source>
        <translation>Übertragung</translation>
    </message>
    <message>
        <source>The RSX-4 reported an error while receiving the preset. The unit may now hold an incomplete preset: send the preset again.</source>
        <translation>Das RSX-4 hat beim Empfang des Presets einen Fehler gemeldet. Das Gerät enthält jetzt womöglich ein unvollständiges Preset: Senden Sie das Preset erneut.</translation>
    </message>
    <message>
        <source>The RSX-4 was disconnected before the preset was completely sent. The unit may hold an incomplete preset: reconnect it and send the preset again.</source>
        <translation>Die Verbindung zum RSX-4 wurde getrennt, bevor das Preset vollständig gesendet war. Das Gerät enthält womöglich ein unvollständiges Preset: Schließen Sie es wieder an und senden Sie das Preset erneut.</translation>
    </message>
    <message>
        <source>The RSX-4 was disconnected before the preset was completely received. The preset in Cuesmith is unchanged.</source>
        <translation>Die Verbindung zum RSX-4 wurde getrennt, bevor das Preset vollständig empfangen war. Das Preset in Cuesmith ist unverändert.</translation>
    </message>
    <message>
        <source>The RSX-4 sent a reply that does not fit the preset. The preset in Cuesmith is unchanged.</source>
        <translation>Das RSX-4 hat eine Antwort gesendet, die nicht zum Preset passt. Das Preset in Cuesmith ist unverändert.</translation>
    </message>
    <message>
        <source>The preset in the RSX-4 could not be kept as a backup in %1 (%2), so nothing was sent: the unit keeps its preset.</source>
        <translation>Das Preset im RSX-4 konnte nicht als Sicherung in %1 abgelegt werden (%2), darum wurde nichts gesendet: Das Gerät behält sein Preset.</translation>
    </message>
    <message>
        <source>Send Preset</source>
        <translation>Preset senden</translation>
    </message>
    <message>
        <source>Receive Preset</source>
        <translation>Preset empfangen</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>Unit connected</source>
        <translation>Gerät verbunden</translation>
    </message>
    <message>
        <source>No permission</source>
        <translation>Keine Berechtigung</translation>
    </message>
</context>
<context>
    <name>DocumentActions</name>
    <message>
        <source>New Preset</source>
        <translation>Neues Preset</translation>
    </message>
    <message>
        <source>Open Preset...</source>
        <translation>Preset öffnen …</translation>
    </message>
    <message>
        <source>Open Unit Backup...</source>
        <translation>Gerätesicherung öffnen …</translation>
    </message>
    <message>
        <source>Save Preset</source>
        <translation>Preset speichern</translation>
    </message>
    <message>
        <source>Save Preset As...</source>
        <translation>Preset speichern unter …</translation>
    </message>
    <message>
        <source>Open Preset File</source>
        <translation>Preset-Datei öffnen</translation>
    </message>
    <message>
        <source>Open Unit Backup</source>
        <translation>Gerätesicherung öffnen</translation>
    </message>
    <message>
        <source>RSX-4 Preset Files (*.rsx4pre)</source>
        <translation>RSX-4-Preset-Dateien (*.rsx4pre)</translation>
    </message>
    <message>
        <source>Save Preset File</source>
        <translation>Preset-Datei speichern</translation>
    </message>
    <message>
        <source>Unsaved Changes</source>
        <translation>Ungespeicherte Änderungen</translation>
    </message>
    <message>
        <source>The preset has unsaved changes. Save them before continuing?</source>
        <translation>Das Preset hat ungespeicherte Änderungen. Vor dem Fortfahren speichern?</translation>
    </message>
    <message>
        <source>File Operation</source>
        <translation>Dateivorgang</translation>
    </message>
    <message>
        <source>Unable to Open Preset File</source>
        <translation>Preset-Datei kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Unable to Save Preset File</source>
        <translation>Preset-Datei kann nicht gespeichert werden</translation>
    </message>
</context>
<context>
    <name>EepromMapWindow</name>
    <message>
        <source>EEPROM map</source>
        <translation>EEPROM-Abbild</translation>
    </message>
</context>
<context>
    <name>EventEditor</name>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Chan:</source>
        <translation>Kanal:</translation>
    </message>
    <message>
        <source>Message Type:</source>
        <translation>Nachrichtentyp:</translation>
    </message>
    <message>
        <source>Byte 1:</source>
        <translation>Byte 1:</translation>
    </message>
    <message>
        <source>Byte 2:</source>
        <translation>Byte 2:</translation>
    </message>
    <message>
        <source>Enter Sysex message, beginning with F0 and ending with F7 (Max %1 bytes)</source>
        <translation>SysEx-Nachricht eingeben, beginnend mit F0 und endend mit F7 (höchstens %1 Bytes)</translation>
    </message>
    <message>
        <source>Hex</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>ASCII</source>
        <translation>ASCII</translation>
    </message>
    <message>
        <source>Include CR</source>
        <translation>Mit CR</translation>
    </message>
    <message>
        <source>Include LF</source>
        <translation>Mit LF</translation>
    </message>
    <message>
        <source>Enter Serial Data in Hex or ASCII format (Max %1 bytes)</source>
        <translation>Serielle Daten als Hex oder ASCII eingeben (höchstens %1 Bytes)</translation>
    </message>
    <message>
        <source>Relay:</source>
        <translation>Relais:</translation>
    </message>
    <message>
        <source>Action:</source>
        <translation>Aktion:</translation>
    </message>
    <message>
        <source>Event:</source>
        <translation>Ereignis:</translation>
    </message>
    <message>
        <source>Macro:</source>
        <translation>Makro:</translation>
    </message>
    <message>
        <source>MIDI</source>
        <translation>MIDI</translation>
    </message>
    <message>
        <source>SysEx</source>
        <translation>SysEx</translation>
    </message>
    <message>
        <source>relay</source>
        <translation>Relais</translation>
    </message>
    <message>
        <source>serial</source>
        <translation>seriell</translation>
    </message>
    <message>
        <source>The preset has no free entry left for this kind of event. The slot was left as it was.</source>
        <translation>Das Preset hat keinen freien Eintrag mehr für diese Art von Ereignis. Der Slot bleibt unverändert.</translation>
    </message>
    <message>
        <source>The preset has no free entry left for a %1 event: a preset holds at most %2 %1 events, shared by all inputs, switches and macros.

Clear one of them to make room. The slot was left as it was.</source>
        <translation>Das Preset hat keinen freien Eintrag mehr für Ereignisse der Art „%1“: Ein Preset fasst höchstens %2 Ereignisse dieser Art, die sich alle Eingänge, Schalter und Makros teilen.

Löschen Sie eines davon, um Platz zu schaffen. Der Slot bleibt unverändert.</translation>
    </message>
    <message>
        <source>Store Event</source>
        <translation>Ereignis speichern</translation>
    </message>
</context>
<context>
    <name>FunctionTree</name>
    <message>
        <source>Functions</source>
        <translation>Funktionen</translation>
    </message>
</context>
<context>
    <name>GeneralPage</name>
    <message>
        <source>Preset Information</source>
        <translation>Preset-Informationen</translation>
    </message>
    <message>
        <source>Boot Options</source>
        <translation>Startoptionen</translation>
    </message>
    <message>
        <source>Configuration Options</source>
        <translation>Konfigurationsoptionen</translation>
    </message>
    <message>
        <source>Serial Configuration (Expansion Board)</source>
        <translation>Serielle Konfiguration (Erweiterungskarte)</translation>
    </message>
    <message>
        <source>*Note these settings are applied to the expansion board on preset load only</source>
        <translation>*Hinweis: Diese Einstellungen gelten für die Erweiterungskarte erst beim Laden eines Presets</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>RSX-4 Offline</source>
        <translation>RSX-4 offline</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Show Eeprom Map</source>
        <translation>EEPROM-Abbild anzeigen</translation>
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
        <source>About</source>
        <translation>Über Cuesmith</translation>
    </message>
    <message>
        <source>Edit Preset Name</source>
        <translation>Preset-Namen bearbeiten</translation>
    </message>
    <message>
        <source>Edit Preset Description</source>
        <translation>Preset-Beschreibung bearbeiten</translation>
    </message>
    <message>
        <source>Change General Configuration</source>
        <translation>Allgemeine Konfiguration ändern</translation>
    </message>
    <message>
        <source>Change MIDI Configuration</source>
        <translation>MIDI-Konfiguration ändern</translation>
    </message>
    <message>
        <source>Change MIDI Routing</source>
        <translation>MIDI-Routing ändern</translation>
    </message>
    <message>
        <source>Change GPI Configuration</source>
        <translation>GPI-Konfiguration ändern</translation>
    </message>
    <message>
        <source>Change Relay Configuration</source>
        <translation>Relais-Konfiguration ändern</translation>
    </message>
    <message>
        <source>Clear Event</source>
        <translation>Ereignis löschen</translation>
    </message>
    <message>
        <source>Store Event</source>
        <translation>Ereignis speichern</translation>
    </message>
    <message>
        <source>RSX-4 Eeprom Data View</source>
        <translation>RSX-4-EEPROM-Datenansicht</translation>
    </message>
    <message>
        <source>About Cuesmith</source>
        <translation>Über Cuesmith</translation>
    </message>
    <message>
        <source>&lt;h2&gt;RSX-4 Cuesmith v%1&lt;/h2&gt;&lt;p&gt;The configuration utility for the RSX-4 switchover unit.&lt;/p&gt;&lt;p&gt;Build 10/05/19 RC.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;RSX-4 Cuesmith v%1&lt;/h2&gt;&lt;p&gt;Das Konfigurationsprogramm für den RSX-4-Umschalter.&lt;/p&gt;&lt;p&gt;Build 10/05/19 RC.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Current page</source>
        <translation>Aktuelle Seite</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
</context>
<context>
    <name>MidiPage</name>
    <message>
        <source>MIDI Port Setup</source>
        <translation>MIDI-Port-Einrichtung</translation>
    </message>
    <message>
        <source>Port C:</source>
        <translation>Port C:</translation>
    </message>
    <message>
        <source>Port D:</source>
        <translation>Port D:</translation>
    </message>
    <message>
        <source>MIDI Remote Control</source>
        <translation>MIDI-Fernsteuerung</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a port&apos;s caption, then the direction it is set to</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <comment>a routing group, then one of its outputs</comment>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>Navigation</name>
    <message>
        <source>1.0 Config: General</source>
        <translation>1.0 Konfiguration: Allgemein</translation>
    </message>
    <message>
        <source>1.1 Config: GPIO</source>
        <translation>1.1 Konfiguration: GPIO</translation>
    </message>
    <message>
        <source>1.2 Config: MIDI</source>
        <translation>1.2 Konfiguration: MIDI</translation>
    </message>
    <message>
        <source> Input Trigger: </source>
        <translation> Eingangsauslöser: </translation>
    </message>
    <message>
        <source> Unit Control: </source>
        <translation> Gerätesteuerung: </translation>
    </message>
    <message>
        <source> Macro List: </source>
        <translation> Makroliste: </translation>
    </message>
    <message>
        <source>&lt;No Selection&gt;</source>
        <translation>&lt;Keine Auswahl&gt;</translation>
    </message>
</context>
<context>
    <name>Preset</name>
    <message>
        <source>Device:</source>
        <translation>Gerät:</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>Main CPU:</source>
        <translation>Haupt-CPU:</translation>
    </message>
    <message>
        <source>Sub GPI:</source>
        <translation>Sub-GPI:</translation>
    </message>
    <message>
        <source>Sub USB/A:</source>
        <translation>Sub-USB/A:</translation>
    </message>
    <message>
        <source>Sub USB/B:</source>
        <translation>Sub-USB/B:</translation>
    </message>
    <message>
        <source>FPGA Core:</source>
        <translation>FPGA-Kern:</translation>
    </message>
    <message>
        <source>Expansion:</source>
        <translation>Erweiterung:</translation>
    </message>
    <message>
        <source>Expansion Type:</source>
        <translation>Erweiterungstyp:</translation>
    </message>
    <message>
        <source>Front Lamp A On</source>
        <translation>Frontlampe A ein</translation>
    </message>
    <message>
        <source>Front Lamp A Off</source>
        <translation>Frontlampe A aus</translation>
    </message>
    <message>
        <source>Front Lamp B On</source>
        <translation>Frontlampe B ein</translation>
    </message>
    <message>
        <source>Front Lamp B Off</source>
        <translation>Frontlampe B aus</translation>
    </message>
    <message>
        <source>Rear Lamp A On</source>
        <translation>Rücklampe A ein</translation>
    </message>
    <message>
        <source>Rear Lamp A Off</source>
        <translation>Rücklampe A aus</translation>
    </message>
    <message>
        <source>Rear Lamp B On</source>
        <translation>Rücklampe B ein</translation>
    </message>
    <message>
        <source>Rear Lamp B Off</source>
        <translation>Rücklampe B aus</translation>
    </message>
    <message>
        <source>Toggle Front Lamp A</source>
        <translation>Frontlampe A umschalten</translation>
    </message>
    <message>
        <source>Toggle Front Lamp B</source>
        <translation>Frontlampe B umschalten</translation>
    </message>
    <message>
        <source>Toggle Rear Lamp A</source>
        <translation>Rücklampe A umschalten</translation>
    </message>
    <message>
        <source>Toggle Rear Lamp B</source>
        <translation>Rücklampe B umschalten</translation>
    </message>
    <message>
        <source>Toggle Front Lamp A Flash</source>
        <translation>Blinken Frontlampe A umschalten</translation>
    </message>
    <message>
        <source>Toggle Front Lamp B Flash</source>
        <translation>Blinken Frontlampe B umschalten</translation>
    </message>
    <message>
        <source>Toggle Rear Lamp A Flash</source>
        <translation>Blinken Rücklampe A umschalten</translation>
    </message>
    <message>
        <source>Toggle Rear Lamp B Flash</source>
        <translation>Blinken Rücklampe B umschalten</translation>
    </message>
    <message>
        <source>Switch Video 1:A</source>
        <translation>Video 1 auf A schalten</translation>
    </message>
    <message>
        <source>Switch Video 1:B</source>
        <translation>Video 1 auf B schalten</translation>
    </message>
    <message>
        <source>Switch Video 2:A</source>
        <translation>Video 2 auf A schalten</translation>
    </message>
    <message>
        <source>Switch Video 2:B</source>
        <translation>Video 2 auf B schalten</translation>
    </message>
    <message>
        <source>Switch USB:A</source>
        <translation>USB auf A schalten</translation>
    </message>
    <message>
        <source>Switch USB:B</source>
        <translation>USB auf B schalten</translation>
    </message>
    <message>
        <source>Toggle Video 1</source>
        <translation>Video 1 umschalten</translation>
    </message>
    <message>
        <source>Toggle Video 2</source>
        <translation>Video 2 umschalten</translation>
    </message>
    <message>
        <source>Toggle USB</source>
        <translation>USB umschalten</translation>
    </message>
    <message>
        <source>Toggle KVM</source>
        <translation>KVM umschalten</translation>
    </message>
    <message>
        <source>Toggle KVM Preview</source>
        <translation>KVM-Vorschau umschalten</translation>
    </message>
    <message>
        <source>Recall MIDI Patch A</source>
        <translation>MIDI-Patch A abrufen</translation>
    </message>
    <message>
        <source>Recall MIDI Patch B</source>
        <translation>MIDI-Patch B abrufen</translation>
    </message>
    <message>
        <source>Toggle MIDI Patch</source>
        <translation>MIDI-Patch umschalten</translation>
    </message>
    <message>
        <source>Set MIDI Group 1 Active</source>
        <translation>MIDI-Gruppe 1 aktivieren</translation>
    </message>
    <message>
        <source>Set MIDI Group 2 Active</source>
        <translation>MIDI-Gruppe 2 aktivieren</translation>
    </message>
    <message>
        <source>Set MIDI Group 3 Active</source>
        <translation>MIDI-Gruppe 3 aktivieren</translation>
    </message>
    <message>
        <source>Set MIDI Group 4 Active</source>
        <translation>MIDI-Gruppe 4 aktivieren</translation>
    </message>
    <message>
        <source>Suspend 50ms</source>
        <translation>50 ms warten</translation>
    </message>
    <message>
        <source>Suspend 100ms</source>
        <translation>100 ms warten</translation>
    </message>
    <message>
        <source>Suspend 200ms</source>
        <translation>200 ms warten</translation>
    </message>
    <message>
        <source>Suspend 500ms</source>
        <translation>500 ms warten</translation>
    </message>
    <message>
        <source>Note Off</source>
        <translation>Note Off</translation>
    </message>
    <message>
        <source>Note On</source>
        <translation>Note On</translation>
    </message>
    <message>
        <source>Key Pressure</source>
        <translation>Key Pressure</translation>
    </message>
    <message>
        <source>Control Change</source>
        <translation>Control Change</translation>
    </message>
    <message>
        <source>Program Change</source>
        <translation>Program Change</translation>
    </message>
    <message>
        <source>Channel Pressure</source>
        <translation>Channel Pressure</translation>
    </message>
    <message>
        <source>Pitch Bend</source>
        <translation>Pitch Bend</translation>
    </message>
    <message>
        <source>Turn ON</source>
        <translation>Einschalten</translation>
    </message>
    <message>
        <source>Turn OFF</source>
        <translation>Ausschalten</translation>
    </message>
    <message>
        <source>Pulse ON</source>
        <translation>Impuls EIN</translation>
    </message>
    <message>
        <source>Pulse OFF</source>
        <translation>Impuls AUS</translation>
    </message>
    <message>
        <source>MIDI Group 1</source>
        <translation>MIDI-Gruppe 1</translation>
    </message>
    <message>
        <source>MIDI Group 2</source>
        <translation>MIDI-Gruppe 2</translation>
    </message>
    <message>
        <source>MIDI Group 3</source>
        <translation>MIDI-Gruppe 3</translation>
    </message>
    <message>
        <source>MIDI Group 4</source>
        <translation>MIDI-Gruppe 4</translation>
    </message>
    <message>
        <source>USB A</source>
        <translation>USB A</translation>
    </message>
    <message>
        <source>USB B</source>
        <translation>USB B</translation>
    </message>
    <message>
        <source>USB A+B</source>
        <translation>USB A+B</translation>
    </message>
    <message>
        <source>Active USB</source>
        <translation>Aktiver USB</translation>
    </message>
    <message>
        <source>Active MIDI Group</source>
        <translation>Aktive MIDI-Gruppe</translation>
    </message>
    <message>
        <source>Toggle Pair 1-2</source>
        <translation>Paar 1-2 umschalten</translation>
    </message>
    <message>
        <source>Toggle Pair 3-4</source>
        <translation>Paar 3-4 umschalten</translation>
    </message>
    <message>
        <source>Toggle Pair 5-6</source>
        <translation>Paar 5-6 umschalten</translation>
    </message>
    <message>
        <source>Toggle Pair 7-8</source>
        <translation>Paar 7-8 umschalten</translation>
    </message>
    <message>
        <source>Send MIDI Event</source>
        <translation>MIDI-Ereignis senden</translation>
    </message>
    <message>
        <source>Send MIDI SysEx</source>
        <translation>MIDI-SysEx senden</translation>
    </message>
    <message>
        <source>Relay Event</source>
        <translation>Relais-Ereignis</translation>
    </message>
    <message>
        <source>System Event</source>
        <translation>System-Ereignis</translation>
    </message>
    <message>
        <source>Run Macro</source>
        <translation>Makro ausführen</translation>
    </message>
    <message>
        <source>Send Serial Event</source>
        <translation>Serielles Ereignis senden</translation>
    </message>
    <message>
        <source>empty slot</source>
        <translation>leerer Slot</translation>
    </message>
    <message>
        <source>GPI %1</source>
        <translation>GPI %1</translation>
    </message>
    <message>
        <source>XLR %1 (GPI %2)</source>
        <translation>XLR %1 (GPI %2)</translation>
    </message>
    <message>
        <source>Front Switch A</source>
        <translation>Frontschalter A</translation>
    </message>
    <message>
        <source>Front Switch B</source>
        <translation>Frontschalter B</translation>
    </message>
    <message>
        <source>Remote Switch A</source>
        <translation>Fernschalter A</translation>
    </message>
    <message>
        <source>Remote Switch B</source>
        <translation>Fernschalter B</translation>
    </message>
    <message>
        <source>Macro %1</source>
        <translation>Makro %1</translation>
    </message>
    <message>
        <source>Unit Config</source>
        <translation>Gerätekonfiguration</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>GPIO Config</source>
        <translation>GPIO-Konfiguration</translation>
    </message>
    <message>
        <source>MIDI Config</source>
        <translation>MIDI-Konfiguration</translation>
    </message>
    <message>
        <source>Input Triggers</source>
        <translation>Eingangsauslöser</translation>
    </message>
    <message>
        <source>Switches</source>
        <translation>Schalter</translation>
    </message>
    <message>
        <source>Macros</source>
        <translation>Makros</translation>
    </message>
    <message>
        <source>Switch Double Press Limit</source>
        <translation>Schalter-Doppeldruckgrenze</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>Baudrate</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Parität</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Ungerade</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Gerade</translation>
    </message>
    <message>
        <source>Port A</source>
        <translation>Port A</translation>
    </message>
    <message>
        <source>MIDI IN 1</source>
        <translation>MIDI IN 1</translation>
    </message>
    <message>
        <source>MIDI OUT A</source>
        <translation>MIDI OUT A</translation>
    </message>
    <message>
        <source>Port B</source>
        <translation>Port B</translation>
    </message>
    <message>
        <source>MIDI IN 2</source>
        <translation>MIDI IN 2</translation>
    </message>
    <message>
        <source>MIDI OUT B</source>
        <translation>MIDI OUT B</translation>
    </message>
    <message>
        <source>MIDI Control Port</source>
        <translation>MIDI-Steuerport</translation>
    </message>
    <message>
        <source>&lt;Disabled&gt;</source>
        <translation>&lt;Deaktiviert&gt;</translation>
    </message>
    <message>
        <source>Input 1</source>
        <translation>Eingang 1</translation>
    </message>
    <message>
        <source>Input 2</source>
        <translation>Eingang 2</translation>
    </message>
    <message>
        <source>Expansion</source>
        <translation>Erweiterung</translation>
    </message>
    <message>
        <source>MIDI Control Channel</source>
        <translation>MIDI-Steuerkanal</translation>
    </message>
    <message>
        <source>XLR 1</source>
        <translation>XLR 1</translation>
    </message>
    <message>
        <source>XLR 2</source>
        <translation>XLR 2</translation>
    </message>
    <message>
        <source>XLR 3</source>
        <translation>XLR 3</translation>
    </message>
    <message>
        <source>GPI Channel</source>
        <translation>GPI-Kanal</translation>
    </message>
    <message>
        <source>Debounce Time</source>
        <translation>Entprellzeit</translation>
    </message>
    <message>
        <source>Switch Polarity</source>
        <translation>Schaltpolarität</translation>
    </message>
    <message>
        <source>On Press</source>
        <translation>Beim Drücken</translation>
    </message>
    <message>
        <source>On Release</source>
        <translation>Beim Loslassen</translation>
    </message>
    <message>
        <source>Relay 1</source>
        <translation>Relais 1</translation>
    </message>
    <message>
        <source>Relay 2</source>
        <translation>Relais 2</translation>
    </message>
    <message>
        <source>Relay 3</source>
        <translation>Relais 3</translation>
    </message>
    <message>
        <source>Relay 4</source>
        <translation>Relais 4</translation>
    </message>
    <message>
        <source>Relay Num</source>
        <translation>Relais-Nr.</translation>
    </message>
    <message>
        <source>Pulse Duration</source>
        <translation>Impulsdauer</translation>
    </message>
    <message>
        <source>Boot-up State</source>
        <translation>Zustand beim Start</translation>
    </message>
    <message>
        <source>Relay OFF</source>
        <translation>Relais AUS</translation>
    </message>
    <message>
        <source>Relay ON</source>
        <translation>Relais EIN</translation>
    </message>
    <message>
        <source>MIDI OUT C</source>
        <translation>MIDI OUT C</translation>
    </message>
    <message>
        <source>MIDI OUT D</source>
        <translation>MIDI OUT D</translation>
    </message>
    <message>
        <source>Group 1</source>
        <translation>Gruppe 1</translation>
    </message>
    <message>
        <source>Group 2</source>
        <translation>Gruppe 2</translation>
    </message>
    <message>
        <source>Group 3</source>
        <translation>Gruppe 3</translation>
    </message>
    <message>
        <source>Group 4</source>
        <translation>Gruppe 4</translation>
    </message>
    <message>
        <source>MIDI Routing Patch A</source>
        <translation>MIDI-Routing-Patch A</translation>
    </message>
    <message>
        <source>MIDI Routing Patch B</source>
        <translation>MIDI-Routing-Patch B</translation>
    </message>
    <message>
        <source>Preset Name</source>
        <translation>Preset-Name</translation>
    </message>
    <message>
        <source>Preset Description</source>
        <translation>Preset-Beschreibung</translation>
    </message>
    <message>
        <source>GPI Configuration</source>
        <translation>GPI-Konfiguration</translation>
    </message>
    <message>
        <source>Relay Configuration</source>
        <translation>Relais-Konfiguration</translation>
    </message>
    <message>
        <source>MIDI Routing Groups</source>
        <translation>MIDI-Routing-Gruppen</translation>
    </message>
    <message>
        <source>&lt;No Action&gt;</source>
        <translation>&lt;Keine Aktion&gt;</translation>
    </message>
    <message>
        <source>Setup Macro</source>
        <translation>Setup-Makro</translation>
    </message>
    <message>
        <source>Initial State</source>
        <translation>Anfangszustand</translation>
    </message>
    <message>
        <source>Video HPD Function</source>
        <translation>Video-HPD-Funktion</translation>
    </message>
    <message>
        <source>Normal (Display Controlled)</source>
        <translation>Normal (vom Bildschirm gesteuert)</translation>
    </message>
    <message>
        <source>Hold (RSX-4 Controlled)</source>
        <translation>Halten (vom RSX-4 gesteuert)</translation>
    </message>
    <message>
        <source>MIDI Channel Override</source>
        <translation>MIDI-Kanal erzwingen</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>&lt;No Midi Data&gt;</source>
        <translation>&lt;Keine MIDI-Daten&gt;</translation>
    </message>
    <message>
        <source>, Vel %1</source>
        <translation>, Vel %1</translation>
    </message>
    <message>
        <source>Chan %1</source>
        <translation>Kanal %1</translation>
    </message>
    <message>
        <source>MIDI: %1</source>
        <translation>MIDI: %1</translation>
    </message>
    <message>
        <source>MIDI SYSEX: code %1 names no SysEx entry</source>
        <translation>MIDI-SYSEX: Code %1 nennt keinen SysEx-Eintrag</translation>
    </message>
    <message>
        <source>MIDI SYSEX: ? Bytes (length byte %1) [%2]</source>
        <translation>MIDI-SYSEX: ? Bytes (Längenbyte %1) [%2]</translation>
    </message>
    <message>
        <source>MIDI SYSEX: %1 Bytes [%2]</source>
        <translation>MIDI-SYSEX: %1 Bytes [%2]</translation>
    </message>
    <message>
        <source>Action %1</source>
        <translation>Aktion %1</translation>
    </message>
    <message>
        <source>RELAY: Relay %1 %2</source>
        <translation>RELAIS: Relais %1 %2</translation>
    </message>
    <message>
        <source>MACRO: Toggle Macro Pair %1-%2</source>
        <translation>MAKRO: Makropaar %1-%2 umschalten</translation>
    </message>
    <message>
        <source>MACRO: Macro %1</source>
        <translation>MAKRO: Makro %1</translation>
    </message>
    <message>
        <source>SERIAL: ? Bytes (length byte %1)</source>
        <translation>SERIELL: ? Bytes (Längenbyte %1)</translation>
    </message>
    <message>
        <source>SERIAL: %1 Bytes</source>
        <translation>SERIELL: %1 Bytes</translation>
    </message>
    <message>
        <source>SYSTEM: %1</source>
        <translation>SYSTEM: %1</translation>
    </message>
</context>
<context>
    <name>RecentFilesMenu</name>
    <message>
        <source>Open Recent</source>
        <translation>Zuletzt geöffnet</translation>
    </message>
</context>
<context>
    <name>RoutingGrid</name>
    <message>
        <source>%1 to %2</source>
        <translation>%1 nach %2</translation>
    </message>
    <message>
        <source>%1, not routable</source>
        <translation>%1, nicht routbar</translation>
    </message>
    <message>
        <source>This source cannot be routed here.</source>
        <translation>Diese Quelle kann hier nicht geroutet werden.</translation>
    </message>
</context>
<context>
    <name>SlotListPanel</name>
    <message>
        <source> Clear Selected Event </source>
        <translation> Gewähltes Ereignis löschen </translation>
    </message>
    <message>
        <source> Store Selected Event </source>
        <translation> Gewähltes Ereignis speichern </translation>
    </message>
    <message>
        <source>Event Slot</source>
        <translation>Slot</translation>
    </message>
    <message>
        <source>Slot Description</source>
        <translation>Slot-Beschreibung</translation>
    </message>
    <message>
        <source>Event slots</source>
        <translation>Ereignis-Slots</translation>
    </message>
</context>
<context>
    <name>TransferActions</name>
    <message>
        <source>Upload Running</source>
        <translation>Übertragung läuft</translation>
    </message>
    <message>
        <source>The preset is still being sent to the RSX-4. Quitting now leaves an incomplete preset in the unit.</source>
        <translation>Das Preset wird noch zum RSX-4 gesendet. Wer jetzt beendet, hinterlässt ein unvollständiges Preset im Gerät.</translation>
    </message>
    <message>
        <source>Quit Anyway</source>
        <translation>Trotzdem beenden</translation>
    </message>
</context>
<context>
    <name>UnitBackup</name>
    <message>
        <source>the folder cannot be created</source>
        <translation>der Ordner kann nicht angelegt werden</translation>
    </message>
</context>
</TS>
