// The two things the window asks of the desktop: open an address in the user's browser, and
// show a message box. Both go through a replaceable function, so that tests can observe them.
#pragma once

#include <QUrl>
#include <functional>
#include <string_view>

#include "text/text.h"

class QWidget;

// The desktop's open action; the default is QDesktopServices::openUrl (the desktop's URL
// opener, never a shell). An empty function restores the default.
using UrlOpener = std::function<void(const QUrl& url)>;
void SetUrlOpener(UrlOpener opener);

// OpenableUrl: the address (GBK) as an absolute http or https URL, parsed strictly, or an invalid
// QUrl for anything else (empty, relative, another scheme, no host, stray characters). Item
// addresses come from remote pages, so nothing else may reach the opener.
// OpenableUrl("http://item.market.example/i?id=7") is valid; OpenableUrl("file:///etc") is not.
QUrl OpenableUrl(std::string_view address);

// OpenAddress: opens the address when OpenableUrl accepts it; anything else is ignored without
// a word, like an open that failed. OpenAddress("javascript:alert(1)") does nothing.
void OpenAddress(std::string_view address);

// Takes every message box instead of the screen (title and text as GBK, CR LF line breaks
// included); the box counts as dismissed when the hook returns. Empty: boxes are shown.
using MessageBoxHook = std::function<void(const Text& title, const Text& text)>;
void SetMessageBoxHook(MessageBoxHook hook);

// ShowModalMessage: a box with title and text (GBK; CR LF breaks a line), one OK button and no
// icon, modal to parent; returns when it has been dismissed. Called on the GUI thread.
void ShowModalMessage(QWidget* parent, std::string_view title, std::string_view text);

// ShowModelessMessage: the same box, but it blocks nothing: the call returns at once and
// dismissed runs on the GUI thread when the box is closed. Called on the GUI thread.
void ShowModelessMessage(QWidget* parent, std::string_view title, std::string_view text,
                         std::function<void()> dismissed);
