#pragma once

// Keeps a test's settings and recovery copies out of the user's own: the
// program's settings file and data folder go under `home`, found under the
// program's own organisation and application names, as the editor finds them.
// Call it before anything reads the settings (initTestCase); `home` outlives
// the test. Editors started as processes from the test inherit the folders.

class QTemporaryDir;

void UsePrivateHome(const QTemporaryDir& home);
