#include "app/window/desktop_actions.h"

#include <QDesktopServices>
#include <QMessageBox>

#include "app/window/qt_text.h"

namespace {
UrlOpener& Opener() {
  static UrlOpener opener;
  return opener;
}

MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}

QString BoxText(std::string_view gbk) {
  QString text = FromGbk(gbk);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

QMessageBox* MakeBox(QWidget* parent, std::string_view title, std::string_view text) {
  auto* box =
      new QMessageBox(QMessageBox::NoIcon, FromGbk(title), BoxText(text), QMessageBox::Ok, parent);
  box->setTextFormat(Qt::PlainText);
  return box;
}
}  // namespace

void SetUrlOpener(UrlOpener opener) { Opener() = std::move(opener); }

QUrl OpenableUrl(std::string_view address) {
  const QUrl url(FromGbk(address), QUrl::StrictMode);
  if (!url.isValid() || url.isRelative() || url.host().isEmpty()) return QUrl();
  if (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")) {
    return QUrl();
  }
  return url;
}

void OpenAddress(std::string_view address) {
  const QUrl url = OpenableUrl(address);
  if (!url.isValid()) return;
  if (Opener()) {
    Opener()(url);
  } else {
    QDesktopServices::openUrl(url);
  }
}

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

void ShowModalMessage(QWidget* parent, std::string_view title, std::string_view text) {
  if (Hook()) {
    Hook()(Text(title), Text(text));
    return;
  }
  QMessageBox* box = MakeBox(parent, title, text);
  box->exec();
  delete box;
}

void ShowModelessMessage(QWidget* parent, std::string_view title, std::string_view text,
                         std::function<void()> dismissed) {
  if (Hook()) {
    Hook()(Text(title), Text(text));
    if (dismissed) dismissed();
    return;
  }
  QMessageBox* box = MakeBox(parent, title, text);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  QObject::connect(box, &QMessageBox::finished, box, [dismissed = std::move(dismissed)](int) {
    if (dismissed) dismissed();
  });
  box->show();
}
