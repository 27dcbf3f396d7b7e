// The look the window's fixed layout is drawn for: the Fusion style with compact tabs, and a
// CJK font at the size the places were laid out for.
#pragma once

class QApplication;

// ApplyWindowLook: sets the application's style, font and window icon. Call once after the
// QApplication exists and before any window is made.
void ApplyWindowLook(QApplication& app);
