// The program's life: the window is made and run until it is closed; at its creation the
// version is set, the update check starts on a thread of its own and the first log entry is
// written.
#pragma once

#include "text/text.h"

class MainWindow;

// CurrentVersion: the program's version, "1.20" once MainWindowReady has run.
const Text& CurrentVersion();

// The version endpoint's address: "http://" + hosts::kMaker + "/soft/renew/quelmar.php".
Text VersionEndpoint();

// The update box's title and text (GBK, CR LF line breaks).
Text UpdateNoticeTitle();
Text UpdateNoticeText();

// MainWindowReady: the window's creation. Sets CurrentVersion to "1.20", starts UpdateNotice on
// a detached thread and appends the start entry "[" + TimeToText + "]启动软件" (no CR LF before
// it) to 编辑框1. Runs on the GUI thread.
void MainWindowReady(MainWindow& window);

// UpdateNotice: asks the version endpoint for the latest version; when it is newer than
// CurrentVersion by more than 1e-7 the update box is shown on the GUI thread, without blocking
// the window, and UpdateNotice returns once it has been dismissed. Logs nothing; a failed
// request reads as 0 and shows nothing. Runs on its own thread.
void UpdateNotice();

// RunProgram: makes the window, runs its event loop until the window is closed, returns 0.
int RunProgram(int argc, char** argv);
