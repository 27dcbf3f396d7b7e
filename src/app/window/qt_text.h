// The window's edge between GBK texts and Qt's strings: everything the widgets show or take
// passes through the one conversion pair of text/gbk.h.
#pragma once

#include <QString>
#include <string_view>

#include "text/gbk.h"
#include "text/text.h"

// FromGbk: a GBK text as a QString. FromGbk("九块邮") is u"九块邮".
inline QString FromGbk(std::string_view gbk) { return QString::fromStdString(GbkToUtf8(gbk)); }

// ToGbk: a QString as a GBK text; characters GBK lacks become '?'. ToGbk(u"元") is "元".
inline Text ToGbk(const QString& text) { return Utf8ToGbk(text.toStdString()); }
