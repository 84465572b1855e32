#pragma once
// One copy of the program a sign-in session: a second start (a double click while the copy
// started at sign-in runs) brings the first one up and ends, touching nothing.

// Makes this copy the session's running one and returns true. While another copy runs, this
// start waits for that copy's main window, asks it to come up and returns false: the start has
// been handed over and ends. Should that copy end first, this one takes over.
bool BecomeTheRunningCopy();
