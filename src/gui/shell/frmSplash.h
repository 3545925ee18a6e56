// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class frmSplash;
}

namespace harukaze {

/** The splash window shown while the program starts: logo, product name, version and platform. */
class frmSplash : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(frmSplash)

public:
    explicit frmSplash(QWidget* parent = nullptr);
    ~frmSplash() override;

    /** "Ver." followed by major.minor.revision. */
    static QString versionText();
    static QString platformText();

private:
    const std::unique_ptr<Ui::frmSplash> m_ui;
};

} // namespace harukaze
