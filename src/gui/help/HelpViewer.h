// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVector>
#include <QWidget>

#include <memory>

namespace Ui {
class HelpViewer;
}
class QListWidgetItem;

namespace harukaze {

/**
 * The program's help window: shows the help file (one HTML document with a contents section and
 * numbered topics) in a text browser, with back/forward, a contents list and a keyword search over
 * the topics. Help requests reach it through the Help functions only.
 */
class HelpViewer : public QWidget
{
    Q_OBJECT

public:
    /** One numbered topic of the help file. */
    struct Topic
    {
        int number = 0;
        QString title;
        QString text; ///< plain text of the topic, for the keyword search
    };

    explicit HelpViewer(QWidget* parent = nullptr);
    ~HelpViewer() override;

    /**
     * Reads the help file. On failure the window keeps what it showed and `errorText` (if given)
     * receives a description for the user.
     */
    bool loadFile(const QString& path, QString* errorText = nullptr);
    QString fileName() const;

    /** Topics of the loaded file in document order. */
    const QVector<Topic>& topics() const;

    /** Scrolls to the named anchor ("contents", "topic-62"); false when the file has no such anchor. */
    bool showAnchor(const QString& anchor);
    void showContents();
    bool showTopic(int topic);
    /** Opens the search tab with `keyword` in the field and its results listed. */
    void showSearch(const QString& keyword = {});
    /** Anchor last shown by showAnchor() or a link, empty when none. */
    QString currentAnchor() const;

    /** Topic numbers whose title or text contain `keyword` (every topic for an empty keyword). */
    QVector<int> search(const QString& keyword) const;

private:
    void fillContents();
    /** Widens the contents pane (and the window, if need be) to the longest topic title. */
    void fitNavigationPane();
    void runSearch();
    void openTopicItem(QListWidgetItem* item);

    const std::unique_ptr<Ui::HelpViewer> m_ui;
    QString m_fileName;
    QString m_html;
    QVector<Topic> m_topics;
    QString m_currentAnchor;
};

} // namespace harukaze
