// Only there to give the Qt Test suites their shared precompiled headers.
