#pragma once
// One copy of the program a sign-in session: a second start (a double click while the copy
// started at sign-in runs) brings the first one up and ends, touching nothing.

// True when a copy already runs in this session; it has been asked to come up.
bool HandedToRunningCopy();
