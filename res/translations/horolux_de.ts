<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>texts</name>
    <message>
        <source>Socket Created.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecting to Timebase...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected; waiting for Correct Time...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset: Socket Creation FAILED!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset: Connect FAILED. Verify Internet Link and/or TimeBase.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset: Selected Timebase returned bogus data!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset by User Command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset: Timebase reply failed authentication!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset: NTS Key Exchange FAILED: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>host not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>timed out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>certificate not trusted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>name mismatch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no NTS on the server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bad response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset: System Clock NOT Corrected: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timebase Clock: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System Clock Corrected by: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System Clock Corrected to: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delta: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> days </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum Delta Warning

This message indicates one of the following:
- Time Zone and/or Daylight Saving Time settings are defined incorrectly in Control Panel,
- You have an invalid TZ (timezone) string defined in your Environment Variables,
- Your system clock is simply more than 30 minutes off.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
