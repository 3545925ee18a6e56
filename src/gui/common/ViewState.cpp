// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ViewState.h"

#include <QSettings>

#include <memory>

namespace harukaze {

namespace {

// The store of application "HARUKAZE", where the main window's settings are kept too.
std::unique_ptr<QSettings> store()
{
    return std::make_unique<QSettings>(
        QSettings::IniFormat, QSettings::UserScope, QStringLiteral("HARUKAZE"), QStringLiteral("HARUKAZE"));
}

QString fullKey(const QString& key)
{
    return QStringLiteral("View/") + key;
}

} // namespace

namespace ViewState {

QByteArray read(const QString& key)
{
    return store()->value(fullKey(key)).toByteArray();
}

void write(const QString& key, const QByteArray& value)
{
    store()->setValue(fullKey(key), value);
}

} // namespace ViewState

} // namespace harukaze
