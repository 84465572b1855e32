#pragma once
// One copy of the program a sign-in session: a second start (a double click while the copy
// started at sign-in runs) brings the first one up and ends, touching nothing.
//
// The running copy holds a named mutex in the session's namespace (Win32::kRunningCopyMutex). A
// second start posts Win32::kStartedAgainMessage to the first copy's main window and ends before
// anything else runs; that window brings up the message box that is up, else its top modal
// window, else itself (Form::UserStartedAgain). A mutex this start may not open (the first copy
// runs elevated) also means a copy runs, and the windows let the message through to it.

// Makes this copy the session's running one and returns true. While another copy runs, this
// start waits for that copy's main window, asks it to come up and returns false: the start has
// been handed over and ends. Should that copy end first, this one takes over.
bool BecomeTheRunningCopy();
