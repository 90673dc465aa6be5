<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CAlternateTimebaseDlg</name>
    <message>
        <source>Timebase name or IP address</source>
        <translation>Name oder IP-Adresse des Zeitservers</translation>
    </message>
    <message>
        <source>Alternate Timebase</source>
        <translation>Anderer Zeitserver</translation>
    </message>
</context>
<context>
    <name>CGLScene</name>
    <message>
        <source>Clock</source>
        <translation>Uhr</translation>
    </message>
</context>
<context>
    <name>CHistoryWindow</name>
    <message>
        <source>the last day</source>
        <translation>den letzten Tag</translation>
    </message>
    <message>
        <source>the last week</source>
        <translation>die letzte Woche</translation>
    </message>
    <message>
        <source>the last month</source>
        <translation>den letzten Monat</translation>
    </message>
    <message>
        <source>all time</source>
        <translation>die gesamte Zeit</translation>
    </message>
    <message>
        <source>Clock History</source>
        <translation>Verlauf der Uhr</translation>
    </message>
    <message>
        <source>&amp;Day</source>
        <translation>&amp;Tag</translation>
    </message>
    <message>
        <source>&amp;Week</source>
        <translation>&amp;Woche</translation>
    </message>
    <message>
        <source>&amp;Month</source>
        <translation>&amp;Monat</translation>
    </message>
    <message>
        <source>&amp;All</source>
        <translation>&amp;Alles</translation>
    </message>
    <message>
        <source>&amp;Export CSV...</source>
        <translation>Als CSV &amp;exportieren …</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>No result kept yet.</source>
        <translation>Noch kein Ergebnis gespeichert.</translation>
    </message>
    <message>
        <source>Last result: offset %1 from %2 at %3.</source>
        <translation>Letztes Ergebnis: Abweichung %1 von %2 um %3.</translation>
    </message>
    <message>
        <source>Clock history of %1: %2 measurements. %3 %4</source>
        <translation>Verlauf der Uhr für %1: %2 Messungen. %3 %4</translation>
    </message>
    <message>
        <source>Offset chart</source>
        <translation>Abweichungsdiagramm</translation>
    </message>
    <message>
        <source>Time (UTC)</source>
        <translation>Zeit (UTC)</translation>
    </message>
    <message>
        <source>Offset (s)</source>
        <translation>Abweichung (s)</translation>
    </message>
    <message>
        <source>Corrections</source>
        <translation>Korrekturen</translation>
    </message>
    <message>
        <source> delay</source>
        <translation> Laufzeit</translation>
    </message>
    <message>
        <source>%1
%2
Offset %3</source>
        <translation>%1
%2
Abweichung %3</translation>
    </message>
    <message>
        <source>
Delay %1 s</source>
        <translation>
Laufzeit %1 s</translation>
    </message>
    <message>
        <source>
The clock was corrected</source>
        <translation>
Die Uhr wurde gestellt</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Als CSV exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV-Dateien (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The history could not be written to %1: %2</source>
        <translation>Der Verlauf konnte nicht in %1 geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>%1 by %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>Attempt %1</source>
        <translation>Versuch %1</translation>
    </message>
    <message>
        <source>Clock view</source>
        <translation>Uhransicht</translation>
    </message>
    <message>
        <source>The arrow keys, Page Up, Page Down and Home move the viewpoint</source>
        <translation>Die Pfeiltasten, Bild auf, Bild ab und Pos1 bewegen den Blickpunkt</translation>
    </message>
</context>
<context>
    <name>CNtsTrustCommands</name>
    <message>
        <source>NTS Certificate Authority</source>
        <translation>NTS-Zertifizierungsstelle</translation>
    </message>
    <message>
        <source>Certificates (*.pem *.crt);;All files (*)</source>
        <translation>Zertifikate (*.pem *.crt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>%1 cannot be read as PEM certificates. NTS keeps checking servers as before.</source>
        <translation>%1 kann nicht als PEM-Zertifikate gelesen werden. NTS prüft die Server weiter wie bisher.</translation>
    </message>
    <message>
        <source>NTS Certificate Authority: %1</source>
        <translation>NTS-Zertifizierungsstelle: %1</translation>
    </message>
    <message>
        <source>NTS uses the system&apos;s certificates</source>
        <translation>NTS verwendet die Zertifikate des Systems</translation>
    </message>
</context>
<context>
    <name>CStatusBar</name>
    <message>
        <source>in use</source>
        <translation>in Verwendung</translation>
    </message>
    <message>
        <source>not in use</source>
        <translation>nicht in Verwendung</translation>
    </message>
    <message>
        <source>Time (%1)</source>
        <translation>Time (%1)</translation>
    </message>
    <message>
        <source>Status of the time query</source>
        <translation>Status der Zeitabfrage</translation>
    </message>
    <message>
        <source>%1 indicator</source>
        <translation>Anzeige %1</translation>
    </message>
    <message>
        <source>Timebase: %1</source>
        <translation>Zeitserver: %1</translation>
    </message>
    <message>
        <source>Protocol: %1</source>
        <translation>Protokoll: %1</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Query progress</source>
        <translation>Fortschritt der Abfrage</translation>
    </message>
</context>
<context>
    <name>CUsageNotesDlg</name>
    <message>
        <source>What to do</source>
        <translation>Was tun?</translation>
    </message>
</context>
<context>
    <name>DeltaWarning</name>
    <message>
        <source>Correct Now</source>
        <translation>Jetzt stellen</translation>
    </message>
</context>
<context>
    <name>ResultNotes</name>
    <message>
        <source>Timebase time: %1</source>
        <translation>Zeit des Zeitservers: %1</translation>
    </message>
</context>
<context>
    <name>app</name>
    <message>
        <source>Usage: horolux [--help | --version | ARGUMENT...]

Shows the time of a time server (the Timebase) on a 3D clock and how far the system
clock is off from it.

  (no argument)   open the window; without a display, ask the stored Timebase
                  once and print the result
  ARGUMENT...     any other argument: ask the stored Timebase once, set the system
                  clock to its time and close (the unattended correction)
  --help, -h      print this help and exit
  --version       print the version and exit

horolux-cli asks servers chosen on its command line; see horolux-cli --help.
</source>
        <translation>Aufruf: horolux [--help | --version | ARGUMENT …]

Zeigt die Zeit eines Zeitservers (der Timebase) auf einer 3D-Uhr und wie weit die
Systemuhr davon abweicht.

  (kein Argument) das Fenster öffnen; ohne Anzeige den gespeicherten Zeitserver
                  einmal abfragen und das Ergebnis ausgeben
  ARGUMENT …      jedes andere Argument: den gespeicherten Zeitserver einmal abfragen,
                  die Systemuhr auf seine Zeit stellen und beenden (unbeaufsichtigte
                  Korrektur)
  --help, -h      diese Hilfe ausgeben und beenden
  --version       die Version ausgeben und beenden

horolux-cli fragt die auf seiner Befehlszeile gewählten Server; siehe horolux-cli --help.
</translation>
    </message>
    <message>
        <source>Socket Initialization Failed!</source>
        <translation>Socket-Initialisierung fehlgeschlagen!</translation>
    </message>
</context>
<context>
    <name>cli</name>
    <message>
        <source>--since takes a number of days or hours (7d, 24h) or a date (2026-12-01)</source>
        <translation>--since erwartet eine Anzahl Tage oder Stunden (7d, 24h) oder ein Datum (2026-12-01)</translation>
    </message>
    <message>
        <source>%1 needs a threshold in seconds</source>
        <translation>%1 erwartet einen Schwellwert in Sekunden</translation>
    </message>
    <message>
        <source>--metrics needs a file name</source>
        <translation>--metrics erwartet einen Dateinamen</translation>
    </message>
    <message>
        <source>--server needs a host name or address</source>
        <translation>--server erwartet einen Rechnernamen oder eine Adresse</translation>
    </message>
    <message>
        <source>--server may be given up to %1 times</source>
        <translation>--server darf höchstens %1-mal angegeben werden</translation>
    </message>
    <message>
        <source>--protocol takes sntp, nts, time-tcp or time-udp</source>
        <translation>--protocol erwartet sntp, nts, time-tcp oder time-udp</translation>
    </message>
    <message>
        <source>--ca-file needs a file of CA certificates (PEM)</source>
        <translation>--ca-file erwartet eine Datei mit CA-Zertifikaten (PEM)</translation>
    </message>
    <message>
        <source>--port takes a number from 1 to 65535</source>
        <translation>--port erwartet eine Zahl von 1 bis 65535</translation>
    </message>
    <message>
        <source>--samples takes a number from %1 to %2</source>
        <translation>--samples erwartet eine Zahl von %1 bis %2</translation>
    </message>
    <message>
        <source>--timeout takes a number of seconds above 0</source>
        <translation>--timeout erwartet eine Anzahl Sekunden über 0</translation>
    </message>
    <message>
        <source>unknown argument &apos;%1&apos;</source>
        <translation>unbekanntes Argument „%1“</translation>
    </message>
    <message>
        <source>--since and --csv go with --history</source>
        <translation>--since und --csv gehören zu --history</translation>
    </message>
    <message>
        <source>--history only reads; it goes with neither --check, --correct nor --metrics</source>
        <translation>--history liest nur; es passt weder zu --check noch zu --correct oder --metrics</translation>
    </message>
    <message>
        <source>--csv and --json are two forms: give one</source>
        <translation>--csv und --json sind zwei Formate: bitte nur eines angeben</translation>
    </message>
    <message>
        <source>--warning and --critical go with --check</source>
        <translation>--warning und --critical gehören zu --check</translation>
    </message>
    <message>
        <source>Usage: horolux-cli [--server HOST]... [--protocol sntp|nts|time-tcp|time-udp]
                   [--port N] [--samples N] [--ca-file FILE] [--correct]
                   [--timeout SECONDS] [--json] [--metrics FILE] [--no-history]
                   [--help] [--version]
       horolux-cli --check [-w RANGE] [-c RANGE] [--server HOST]... [OPTION]...
       horolux-cli --history [--since 7d|24h|DATE] [--json|--csv]

Asks a time server for the time and prints how far the system clock is off.
Server, protocol and transport default to Horolux&apos;s stored settings; options
change them for this run only and are never written back.

  --server HOST       host name, IPv4 or IPv6 address of the time server;
                      host:port, [::1] and [::1]:port name a port too. Up to 8
                      servers are asked at once; a strict majority of those that
                      answer must agree, the others are reported as
                      falsetickers, and without a majority nothing is corrected
  --protocol P        sntp (UDP port 123), nts (authenticated NTP: key exchange
                      on TCP port 4460), time-tcp or time-udp (RFC 868, port 37)
  --port N            another server port (the protocol&apos;s own by default; for
                      nts the key exchange port)
  --samples N         sntp, nts: requests per server, 1 to 8 (default 4); the one
                      with the smallest round trip gives the offset
  --ca-file FILE      nts: check the server&apos;s certificate against the CA
                      certificates in FILE (PEM) instead of the system&apos;s
  --correct           set the system clock to the server&apos;s time (needs the
                      right to set the clock: root or CAP_SYS_TIME)
  --timeout SECONDS   give up after this long (default 60); a silent server
                      is asked again about every 4 seconds until then
  --json              print one JSON object instead of the text line
  --metrics FILE      also write the figures for Prometheus to FILE (node
                      exporter&apos;s textfile collector), replacing it at once
  --no-history        keep no record of this run (each run adds one row per
                      server to the history the window shows)
  --history           ask no server: print the stored measurements and the
                      clock&apos;s drift (positive: the clock gains); exits 0
  --since WHEN        with --history, from then on: 7d, 24h, or an ISO date or
                      time such as 2026-12-01 (UTC unless an offset is written)
  --csv               with --history, comma-separated rows (the drift on stderr);
                      --json gives one object: measurements, drift_ppm and
                      drift_ppm_uncertainty (null while there is too little data)
  --check             a monitoring check: print one line in the monitoring
                      plugins&apos; form with performance data after a &apos;|&apos; and exit
                      0 OK, 1 WARNING, 2 CRITICAL (the offset beyond a threshold,
                      or the servers disagree) or 3 UNKNOWN (no answer, a bogus
                      reply, a failed key exchange, bad usage); never corrects;
                      the time-out is 10 seconds unless given
  -w, --warning R     warn when the offset&apos;s magnitude is outside R (default 60)
  -c, --critical R    critical when outside R (default 120); R is N (0 to N),
                      N:M, N:, ~:M, or @ before one to alert inside the range
  --help, --version   print this help or the version and exit

Exit status (without --check):
  %1  answered (and, with --correct, the clock was set)
  %2  no answer before the time-out, or the server could not be reached
  %3  the server&apos;s reply was bogus, or the servers did not agree
  %4  the clock could not be set (the reason is printed)
  %5  nts: the key exchange failed or the reply failed authentication
  %6  the metrics file could not be written
  %7  bad usage
</source>
        <translation>Aufruf: horolux-cli [--server RECHNER]... [--protocol sntp|nts|time-tcp|time-udp]
                   [--port N] [--samples N] [--ca-file DATEI] [--correct]
                   [--timeout SEKUNDEN] [--json] [--metrics DATEI] [--no-history]
                   [--help] [--version]
       horolux-cli --check [-w BEREICH] [-c BEREICH] [--server RECHNER]... [OPTION]...
       horolux-cli --history [--since 7d|24h|DATUM] [--json|--csv]

Fragt einen Zeitserver nach der Zeit und gibt aus, wie weit die Systemuhr abweicht.
Server, Protokoll und Transport sind die gespeicherten Einstellungen von Horolux;
Optionen ändern sie nur für diesen Aufruf und werden nie zurückgeschrieben.

  --server RECHNER    Rechnername, IPv4- oder IPv6-Adresse des Zeitservers;
                      rechner:port, [::1] und [::1]:port nennen auch einen Port. Bis zu
                      8 Server werden gleichzeitig gefragt; eine echte Mehrheit der
                      antwortenden muss übereinstimmen, die übrigen werden als
                      Falschgeher gemeldet, und ohne Mehrheit wird nichts gestellt
  --protocol P        sntp (UDP-Port 123), nts (authentifiziertes NTP: Schlüsselaustausch
                      über TCP-Port 4460), time-tcp oder time-udp (RFC 868, Port 37)
  --port N            ein anderer Server-Port (sonst der des Protokolls; bei nts
                      der Port des Schlüsselaustauschs)
  --samples N         sntp, nts: Anfragen pro Server, 1 bis 8 (Vorgabe 4); die mit
                      der kürzesten Umlaufzeit ergibt die Abweichung
  --ca-file DATEI     nts: das Zertifikat des Servers gegen die CA-Zertifikate in
                      DATEI (PEM) prüfen statt gegen die des Systems
  --correct           die Systemuhr auf die Zeit des Servers stellen (erfordert das
                      Recht, die Uhr zu stellen: root oder CAP_SYS_TIME)
  --timeout SEKUNDEN  nach dieser Zeit aufgeben (Vorgabe 60); ein stummer Server
                      wird bis dahin etwa alle 4 Sekunden erneut gefragt
  --json              ein JSON-Objekt statt der Textzeile ausgeben (immer englisch)
  --metrics DATEI     zusätzlich die Messwerte für Prometheus in DATEI schreiben
                      (Textfile-Collector des Node Exporters), in einem Schritt ersetzt
  --no-history        diesen Aufruf nicht aufzeichnen (jeder Aufruf fügt dem Verlauf,
                      den das Fenster zeigt, eine Zeile pro Server hinzu)
  --history           keinen Server fragen: die gespeicherten Messungen und die
                      Gangabweichung der Uhr ausgeben (positiv: die Uhr geht vor); Ende 0
  --since WANN        mit --history ab dann: 7d, 24h oder ein ISO-Datum bzw. eine
                      Zeit wie 2026-12-01 (UTC, sofern kein Versatz angegeben ist)
  --csv               mit --history kommagetrennte Zeilen (die Gangabweichung auf
                      stderr); --json ergibt ein Objekt: measurements, drift_ppm und
                      drift_ppm_uncertainty (null, solange zu wenige Daten vorliegen)
  --check             eine Überwachungsprüfung: eine Zeile im Format der Monitoring-
                      Plugins mit Leistungsdaten nach einem „|“ ausgeben und mit
                      0 OK, 1 WARNING, 2 CRITICAL (Abweichung über einem Schwellwert
                      oder uneinige Server) oder 3 UNKNOWN (keine Antwort, unbrauchbare
                      Antwort, gescheiterter Schlüsselaustausch, falscher Aufruf)
                      enden; stellt nie die Uhr; Zeitlimit 10 Sekunden, sofern nicht
                      angegeben; die Ausgabe bleibt englisch
  -w, --warning B     warnen, wenn der Betrag der Abweichung außerhalb von B liegt
                      (Vorgabe 60)
  -c, --critical B    kritisch außerhalb von B (Vorgabe 120); B ist N (0 bis N),
                      N:M, N:, ~:M oder davor @, um innerhalb des Bereichs zu warnen
  --help, --version   diese Hilfe oder die Version ausgeben und beenden

Exit-Status (ohne --check):
  %1  beantwortet (und mit --correct wurde die Uhr gestellt)
  %2  keine Antwort vor dem Zeitlimit, oder der Server war nicht erreichbar
  %3  die Antwort des Servers war unbrauchbar, oder die Server waren uneinig
  %4  die Uhr konnte nicht gestellt werden (der Grund wird ausgegeben)
  %5  nts: der Schlüsselaustausch ist gescheitert oder die Antwort nicht authentisch
  %6  die Metrics-Datei konnte nicht geschrieben werden
  %7  falscher Aufruf
</translation>
    </message>
    <message>
        <source>Time (UTC)</source>
        <translation>Zeit (UTC)</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programm</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>Offset (s)</source>
        <translation>Abweichung (s)</translation>
    </message>
    <message>
        <source>Delay (s)</source>
        <translation>Laufzeit (s)</translation>
    </message>
    <message>
        <source>Stratum</source>
        <translation>Stratum</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Bewertung</translation>
    </message>
    <message>
        <source>Corrected (s)</source>
        <translation>Gestellt (s)</translation>
    </message>
</context>
<context>
    <name>cli_texts</name>
    <message>
        <source>Reset: No answer from Timebase within %1 seconds.</source>
        <translation>Zurückgesetzt: Keine Antwort vom Zeitserver innerhalb von %1 Sekunden.</translation>
    </message>
    <message>
        <source>%1: %2 (try &apos;%1 --help&apos;)</source>
        <translation>%1: %2 (siehe „%1 --help“)</translation>
    </message>
    <message>
        <source>Reset: Timebases disagree; clock not corrected.</source>
        <translation>Zurückgesetzt: Die Zeitserver sind sich nicht einig; die Uhr wurde nicht gestellt.</translation>
    </message>
    <message>
        <source>Falseticker: %1 disagrees with the other Timebases.</source>
        <translation>Falschgeher: %1 weicht von den anderen Zeitservern ab.</translation>
    </message>
</context>
<context>
    <name>correction</name>
    <message>
        <source>Waiting for authorization...</source>
        <translation>Warten auf Legitimierung …</translation>
    </message>
    <message>
        <source>authorization refused</source>
        <translation>Legitimierung verweigert</translation>
    </message>
    <message>
        <source>no authentication agent to ask for a password</source>
        <translation>kein Legitimierungsagent, der nach einem Passwort fragen könnte</translation>
    </message>
    <message>
        <source>the helper failed</source>
        <translation>das Hilfsprogramm ist gescheitert</translation>
    </message>
</context>
<context>
    <name>dialogs</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>What to do...</source>
        <translation>Was tun …</translation>
    </message>
    <message>
        <source>Enter an Alternate Timebase
by Name or IP Address:</source>
        <translation>Anderen Zeitserver eingeben
als Name oder IP-Adresse:</translation>
    </message>
    <message>
        <source>- Select a Timebase via Options&gt;Timebase menu
- Click &apos;Query Current Timebase&apos; Button
- If successful, click &apos;Correct System Clock&apos; Button
- If unsuccessful, &apos;Reset&apos; and try another Timebase
</source>
        <translation>- Zeitserver im Menü Optionen&gt;Zeitserver wählen
- Auf „Aktuellen Zeitserver abfragen“ klicken
- Bei Erfolg auf „Systemuhr stellen“ klicken
- Ohne Erfolg „Zurücksetzen“ und anderen Zeitserver wählen
</translation>
    </message>
    <message>
        <source>For 3D: Try the Up, Down, Left, Right &amp;&amp; PageUp/Down Keys
Hit the HOME key to reset the viewpoint</source>
        <translation>3D: Pfeiltasten und Bild auf/ab probieren
Pos1 stellt den Blickwinkel zurück</translation>
    </message>
    <message>
        <source>About Horolux</source>
        <translation>Über Horolux</translation>
    </message>
    <message>
        <source>Network time client with a 3D clock</source>
        <translation>Netzwerkzeit-Programm mit 3D-Uhr</translation>
    </message>
    <message>
        <source>%1 %2
%3
by %4

%5</source>
        <translation>%1 %2
%3
von %4

%5</translation>
    </message>
</context>
<context>
    <name>menus</name>
    <message>
        <source>Time (UDP)</source>
        <translation>Time (UDP)</translation>
    </message>
    <message>
        <source>Time (TCP)</source>
        <translation>Time (TCP)</translation>
    </message>
    <message>
        <source>SNTP</source>
        <translation>SNTP</translation>
    </message>
    <message>
        <source>NTS</source>
        <translation>NTS</translation>
    </message>
    <message>
        <source>&amp;1</source>
        <translation>&amp;1</translation>
    </message>
    <message>
        <source>&amp;4</source>
        <translation>&amp;4</translation>
    </message>
    <message>
        <source>&amp;8</source>
        <translation>&amp;8</translation>
    </message>
    <message>
        <source>&amp;Off</source>
        <translation>&amp;Aus</translation>
    </message>
    <message>
        <source>&amp;15 Minutes</source>
        <translation>&amp;15 Minuten</translation>
    </message>
    <message>
        <source>1 &amp;Hour</source>
        <translation>1 &amp;Stunde</translation>
    </message>
    <message>
        <source>&amp;6 Hours</source>
        <translation>&amp;6 Stunden</translation>
    </message>
    <message>
        <source>Primary Timebase</source>
        <translation>Primärer Zeitserver</translation>
    </message>
    <message>
        <source>Backup Timebase</source>
        <translation>Ersatz-Zeitserver</translation>
    </message>
    <message>
        <source>US Navy Timebase</source>
        <translation>Zeitserver der US Navy</translation>
    </message>
    <message>
        <source>Alternate Timebase...</source>
        <translation>Anderer Zeitserver …</translation>
    </message>
    <message>
        <source>Browse Master Timebase List</source>
        <translation>Liste der Zeitserver im Browser öffnen</translation>
    </message>
    <message>
        <source>&amp;Text Only</source>
        <translation>Nur &amp;Text</translation>
    </message>
    <message>
        <source>&amp;Graphics</source>
        <translation>&amp;Grafik</translation>
    </message>
    <message>
        <source>&amp;Protocol</source>
        <translation>&amp;Protokoll</translation>
    </message>
    <message>
        <source>&amp;Samples per Query</source>
        <translation>&amp;Messungen pro Abfrage</translation>
    </message>
    <message>
        <source>Check &amp;Every</source>
        <translation>&amp;Regelmäßig prüfen</translation>
    </message>
    <message>
        <source>&amp;Timebase</source>
        <translation>&amp;Zeitserver</translation>
    </message>
    <message>
        <source>&amp;Backdrop</source>
        <translation>&amp;Hintergrund</translation>
    </message>
    <message>
        <source>&amp;Minimize to Tray</source>
        <translation>In den &amp;Infobereich minimieren</translation>
    </message>
    <message>
        <source>Clock &amp;History...	Ctrl+H</source>
        <translation>&amp;Verlauf der Uhr …	Strg+H</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>&amp;What to do</source>
        <translation>&amp;Was tun?</translation>
    </message>
    <message>
        <source>Browse &amp;Horolux Help Page</source>
        <translation>&amp;Hilfeseite von Horolux öffnen</translation>
    </message>
    <message>
        <source>Browse Horolux &amp;Home Page</source>
        <translation>H&amp;omepage von Horolux öffnen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Zurücksetzen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>What to do</source>
        <translation>Was tun?</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Correct System Clock</source>
        <translation>Systemuhr stellen</translation>
    </message>
    <message>
        <source>Clock History</source>
        <translation>Verlauf der Uhr</translation>
    </message>
    <message>
        <source>NTS Certificate Authority...</source>
        <translation>NTS-&amp;Zertifizierungsstelle …</translation>
    </message>
    <message>
        <source>Use the System&apos;s Certificates</source>
        <translation>Zertifikate des &amp;Systems verwenden</translation>
    </message>
</context>
<context>
    <name>options</name>
    <message>
        <source>Time Protocol with Streams selected</source>
        <translation>Time-Protokoll über Streams gewählt</translation>
    </message>
    <message>
        <source>Time Protocol with Datagrams selected</source>
        <translation>Time-Protokoll über Datagramme gewählt</translation>
    </message>
    <message>
        <source>Simple Network Time Protocol selected</source>
        <translation>Simple Network Time Protocol gewählt</translation>
    </message>
    <message>
        <source>Network Time Security selected</source>
        <translation>Network Time Security gewählt</translation>
    </message>
    <message>
        <source>Background checks: off</source>
        <translation>Prüfung im Hintergrund: aus</translation>
    </message>
    <message>
        <source>Background checks: every %1 minutes</source>
        <translation>Prüfung im Hintergrund: alle %1 Minuten</translation>
    </message>
    <message>
        <source>Samples per query: %1</source>
        <translation>Messungen pro Abfrage: %1</translation>
    </message>
    <message>
        <source> selected</source>
        <translation> gewählt</translation>
    </message>
    <message>
        <source>Alternate TimeBase Selected</source>
        <translation>Anderer Zeitserver gewählt</translation>
    </message>
    <message>
        <source>No web browser or file opener could be started. Open this yourself:
%1</source>
        <translation>Es konnte kein Webbrowser und kein Programm zum Öffnen von Dateien gestartet werden. Bitte selbst öffnen:
%1</translation>
    </message>
</context>
<context>
    <name>prompts</name>
    <message>
        <source>RFC868 Time Protocol (UDP Mode)
UDP</source>
        <translation>RFC868 Time-Protokoll (UDP-Modus)
UDP</translation>
    </message>
    <message>
        <source>RFC868 Time Protocol (TCP Mode)
TCP</source>
        <translation>RFC868 Time-Protokoll (TCP-Modus)
TCP</translation>
    </message>
    <message>
        <source>RFC1769 Simple Network Time Protocol</source>
        <translation>RFC1769 Simple Network Time Protocol</translation>
    </message>
    <message>
        <source>RFC8915 Network Time Security (authenticated NTPv4)
NTS</source>
        <translation>RFC8915 Network Time Security (authentifiziertes NTPv4)
NTS</translation>
    </message>
    <message>
        <source>One SNTP exchange per query</source>
        <translation>Ein SNTP-Austausch pro Abfrage</translation>
    </message>
    <message>
        <source>Four SNTP exchanges per query; the quickest counts</source>
        <translation>Vier SNTP-Austausche pro Abfrage; der schnellste zählt</translation>
    </message>
    <message>
        <source>Eight SNTP exchanges per query; the quickest counts</source>
        <translation>Acht SNTP-Austausche pro Abfrage; der schnellste zählt</translation>
    </message>
    <message>
        <source>No queries in the background</source>
        <translation>Keine Abfragen im Hintergrund</translation>
    </message>
    <message>
        <source>Query the Timebase every 15 minutes and keep the result</source>
        <translation>Den Zeitserver alle 15 Minuten abfragen und das Ergebnis speichern</translation>
    </message>
    <message>
        <source>Query the Timebase every hour and keep the result</source>
        <translation>Den Zeitserver stündlich abfragen und das Ergebnis speichern</translation>
    </message>
    <message>
        <source>Query the Timebase every 6 hours and keep the result</source>
        <translation>Den Zeitserver alle 6 Stunden abfragen und das Ergebnis speichern</translation>
    </message>
    <message>
        <source>Show the kept measurements, the clock&apos;s drift and the system&apos;s time service</source>
        <translation>Die gespeicherten Messungen, die Gangabweichung der Uhr und den Zeitdienst des Systems zeigen</translation>
    </message>
    <message>
        <source>Query the Primary Timebase
TICK</source>
        <translation>Den primären Zeitserver abfragen
TICK</translation>
    </message>
    <message>
        <source>Query the Backup Timebase
TOCK</source>
        <translation>Den Ersatz-Zeitserver abfragen
TOCK</translation>
    </message>
    <message>
        <source>Enter an Alternate Timebase by Name or IP address</source>
        <translation>Einen anderen Zeitserver als Name oder IP-Adresse eingeben</translation>
    </message>
    <message>
        <source>Launch Browser to </source>
        <translation>Im Browser öffnen: </translation>
    </message>
    <message>
        <source>Selects 3D Text Display</source>
        <translation>Wählt die 3D-Textanzeige</translation>
    </message>
    <message>
        <source>Selects 3D Graphics Display</source>
        <translation>Wählt die 3D-Grafikanzeige</translation>
    </message>
    <message>
        <source>Enables Horolux to Minimize onto Taskbar Notification Tray</source>
        <translation>Horolux in den Infobereich der Kontrollleiste minimieren</translation>
    </message>
    <message>
        <source>Quit Waiting for Timebase and Reset Connection</source>
        <translation>Nicht länger auf den Zeitserver warten und die Verbindung zurücksetzen</translation>
    </message>
    <message>
        <source>Some basic usage notes on Horolux</source>
        <translation>Grundlegende Hinweise zur Bedienung von Horolux</translation>
    </message>
    <message>
        <source>Launch Browser to Horolux Help Page</source>
        <translation>Hilfeseite von Horolux im Browser öffnen</translation>
    </message>
    <message>
        <source>Launch Browser to Horolux Home Page</source>
        <translation>Homepage von Horolux im Browser öffnen</translation>
    </message>
    <message>
        <source>Check NTS servers against the certificates in a file you choose</source>
        <translation>NTS-Server gegen die Zertifikate in einer gewählten Datei prüfen</translation>
    </message>
    <message>
        <source>Check NTS servers against the system&apos;s certificates</source>
        <translation>NTS-Server gegen die Zertifikate des Systems prüfen</translation>
    </message>
    <message>
        <source>Query a nearby server of the NTP Pool Project</source>
        <translation>Einen nahen Server des NTP-Pool-Projekts abfragen</translation>
    </message>
    <message>
        <source>Query the Timebase entered last</source>
        <translation>Den zuletzt eingegebenen Zeitserver abfragen</translation>
    </message>
</context>
<context>
    <name>questions</name>
    <message>
        <source> (estimated error %1)</source>
        <translation> (geschätzter Fehler %1)</translation>
    </message>
    <message>
        <source>A time service keeps this clock synchronized%1. Set it to the Timebase&apos;s time anyway?</source>
        <translation>Ein Zeitdienst hält diese Uhr synchron%1. Trotzdem auf die Zeit des Zeitservers stellen?</translation>
    </message>
    <message>
        <source>day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>hour</source>
        <translation>Stunde</translation>
    </message>
    <message>
        <source>hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>second</source>
        <translation>Sekunde</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>Set the clock %1 by %2 to the Timebase&apos;s time?</source>
        <translation>Die Uhr um %2 auf die Zeit des Zeitservers %1stellen?</translation>
    </message>
    <message>
        <source>back</source>
        <translation>zurück</translation>
    </message>
    <message>
        <source>forward</source>
        <translation>vor</translation>
    </message>
</context>
<context>
    <name>texts</name>
    <message>
        <source>Socket Created.</source>
        <translation>Socket erstellt.</translation>
    </message>
    <message>
        <source>Connecting to Timebase...</source>
        <translation>Verbindung zum Zeitserver wird hergestellt …</translation>
    </message>
    <message>
        <source>Connected; waiting for Correct Time...</source>
        <translation>Verbunden; warten auf die genaue Zeit …</translation>
    </message>
    <message>
        <source>Reset: Socket Creation FAILED!</source>
        <translation>Zurückgesetzt: Socket konnte NICHT erstellt werden!</translation>
    </message>
    <message>
        <source>Reset: Connect FAILED. Verify Internet Link and/or TimeBase.</source>
        <translation>Zurückgesetzt: Verbindung FEHLGESCHLAGEN. Internetverbindung und/oder Zeitserver prüfen.</translation>
    </message>
    <message>
        <source>Reset: Selected Timebase returned bogus data!</source>
        <translation>Zurückgesetzt: Der gewählte Zeitserver lieferte unbrauchbare Daten!</translation>
    </message>
    <message>
        <source>Reset by User Command</source>
        <translation>Vom Benutzer zurückgesetzt</translation>
    </message>
    <message>
        <source>Reset: Timebase reply failed authentication!</source>
        <translation>Zurückgesetzt: Die Antwort des Zeitservers ist nicht authentisch!</translation>
    </message>
    <message>
        <source>Reset: NTS Key Exchange FAILED: </source>
        <translation>Zurückgesetzt: NTS-Schlüsselaustausch FEHLGESCHLAGEN: </translation>
    </message>
    <message>
        <source>host not found</source>
        <translation>Rechner nicht gefunden</translation>
    </message>
    <message>
        <source>refused</source>
        <translation>abgewiesen</translation>
    </message>
    <message>
        <source>timed out</source>
        <translation>Zeitüberschreitung</translation>
    </message>
    <message>
        <source>certificate not trusted</source>
        <translation>Zertifikat nicht vertrauenswürdig</translation>
    </message>
    <message>
        <source>name mismatch</source>
        <translation>Name stimmt nicht überein</translation>
    </message>
    <message>
        <source>no NTS on the server</source>
        <translation>kein NTS auf dem Server</translation>
    </message>
    <message>
        <source>bad response</source>
        <translation>ungültige Antwort</translation>
    </message>
    <message>
        <source>Reset: System Clock NOT Corrected: </source>
        <translation>Zurückgesetzt: Systemuhr NICHT gestellt: </translation>
    </message>
    <message>
        <source>Timebase Clock: </source>
        <translation>Uhr des Zeitservers: </translation>
    </message>
    <message>
        <source>System Clock Corrected by: </source>
        <translation>Systemuhr gestellt um: </translation>
    </message>
    <message>
        <source>System Clock Corrected to: </source>
        <translation>Systemuhr gestellt auf: </translation>
    </message>
    <message>
        <source> seconds</source>
        <translation> Sekunden</translation>
    </message>
    <message>
        <source>Delta: </source>
        <translation>Abweichung: </translation>
    </message>
    <message>
        <source> days </source>
        <translation> Tage </translation>
    </message>
    <message>
        <source>1 day</source>
        <translation>1 Tag</translation>
    </message>
    <message>
        <source>%1 days</source>
        <translation>%1 Tage</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 Stunde</translation>
    </message>
    <message>
        <source>%1 hours</source>
        <translation>%1 Stunden</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 Minute</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 Minuten</translation>
    </message>
    <message>
        <source>1 second</source>
        <translation>1 Sekunde</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 Sekunden</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Your clock matches the Timebase</source>
        <translation>Ihre Uhr stimmt mit dem Zeitserver überein</translation>
    </message>
    <message>
        <source>Your clock is %1 behind the Timebase</source>
        <translation>Ihre Uhr geht gegenüber dem Zeitserver %1 nach</translation>
    </message>
    <message>
        <source>Your clock is %1 ahead of the Timebase</source>
        <translation>Ihre Uhr geht gegenüber dem Zeitserver %1 vor</translation>
    </message>
    <message>
        <source>Maximum Delta Warning

%1.

This message indicates one of the following:
- The time zone was wrong when the clock was set by hand, so the clock was set hours off to look right: check the time zone in the desktop&apos;s date and time settings or with &quot;timedatectl&quot;,
- The TZ variable of your environment named a wrong or invalid time zone when the clock was set,
- Your system clock is simply more than 30 minutes off.</source>
        <translation>Warnung: maximale Abweichung

%1.

Diese Meldung weist auf eine der folgenden Ursachen hin:
- Beim Stellen der Uhr von Hand war die Zeitzone falsch, sodass die Uhr um Stunden verstellt wurde, damit sie richtig aussah: prüfen Sie die Zeitzone in den Datums- und Zeiteinstellungen der Arbeitsumgebung oder mit &quot;timedatectl&quot;,
- Die Variable TZ Ihrer Umgebung nannte beim Stellen der Uhr eine falsche oder ungültige Zeitzone,
- Ihre Systemuhr geht einfach mehr als 30 Minuten falsch.</translation>
    </message>
    <message>
        <source>Timebase name not found: </source>
        <translation>Name des Zeitservers nicht gefunden: </translation>
    </message>
    <message>
        <source>Timebase name lookup failed: </source>
        <translation>Namensauflösung des Zeitservers fehlgeschlagen: </translation>
    </message>
    <message>
        <source>; trying again</source>
        <translation>; neuer Versuch folgt</translation>
    </message>
    <message>
        <source>Reset: </source>
        <translation>Zurückgesetzt: </translation>
    </message>
    <message>
        <source>CA file unreadable</source>
        <translation>CA-Datei nicht lesbar</translation>
    </message>
    <message>
        <source>Drift: not enough data yet</source>
        <translation>Gangabweichung: noch nicht genug Daten</translation>
    </message>
    <message>
        <source>Your clock loses %1 s per day (%2 ppm), from %3 over %4, ± %5 s/day</source>
        <translation>Ihre Uhr geht %1 s pro Tag nach (%2 ppm), aus %3 über %4, ± %5 s/Tag</translation>
    </message>
    <message>
        <source>Your clock gains %1 s per day (%2 ppm), from %3 over %4, ± %5 s/day</source>
        <translation>Ihre Uhr geht %1 s pro Tag vor (%2 ppm), aus %3 über %4, ± %5 s/Tag</translation>
    </message>
    <message>
        <source>1 measurement</source>
        <translation>1 Messung</translation>
    </message>
    <message>
        <source>%1 measurements</source>
        <translation>%1 Messungen</translation>
    </message>
    <message>
        <source>System time service: synchronized, estimated error %1</source>
        <translation>Zeitdienst des Systems: synchron, geschätzter Fehler %1</translation>
    </message>
    <message>
        <source>System time service: synchronized</source>
        <translation>Zeitdienst des Systems: synchron</translation>
    </message>
    <message>
        <source>System time service: on, not synchronized yet</source>
        <translation>Zeitdienst des Systems: an, noch nicht synchron</translation>
    </message>
    <message>
        <source>System time service: not synchronized</source>
        <translation>Zeitdienst des Systems: nicht synchron</translation>
    </message>
</context>
<context>
    <name>tray</name>
    <message>
        <source>just now</source>
        <translation>gerade eben</translation>
    </message>
    <message>
        <source>%1 min ago</source>
        <translation>vor %1 min</translation>
    </message>
    <message>
        <source>%1 h ago</source>
        <translation>vor %1 h</translation>
    </message>
    <message>
        <source>%1 days ago</source>
        <translation>vor %1 Tagen</translation>
    </message>
</context>
<context>
    <name>window</name>
    <message>
        <source>Query Current Timebase</source>
        <translation>Aktuellen Zeitserver abfragen</translation>
    </message>
    <message>
        <source>Correct System Clock</source>
        <translation>Systemuhr stellen</translation>
    </message>
    <message>
        <source>Setting the clock needs CAP_SYS_TIME; see Help</source>
        <translation>Zum Stellen der Uhr ist CAP_SYS_TIME nötig; siehe Hilfe</translation>
    </message>
</context>
</TS>
