// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/help/HelpViewer.h"
#include "ui_HelpViewer.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStringDecoder>
#include <QStyle>
#include <QTextDocumentFragment>
#include <QUrl>

namespace harukaze {

namespace {

constexpr int TopicNumberRole = Qt::UserRole;

// The search ignores the differences a user cannot see or does not care about: half-width and
// full-width forms (ﾍﾙﾌﾟ / ヘルプ, ＣＳＶ / CSV) and letter case.
QString searchForm(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

QString plainText(const QString& html)
{
    return QTextDocumentFragment::fromHtml(html).toPlainText();
}

} // namespace

HelpViewer::HelpViewer(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_ui(new Ui::HelpViewer)
{
    m_ui->setupUi(this);
    m_ui->helpSplitter->setStretchFactor(0, 0);
    m_ui->helpSplitter->setStretchFactor(1, 1);
    m_ui->helpSplitter->setSizes({ 320, 640 });
    m_ui->backButton->setEnabled(false);
    m_ui->forwardButton->setEnabled(false);

    connect(m_ui->backButton, &QPushButton::clicked, m_ui->helpBrowser, &QTextBrowser::backward);
    connect(m_ui->forwardButton, &QPushButton::clicked, m_ui->helpBrowser, &QTextBrowser::forward);
    connect(m_ui->helpBrowser, &QTextBrowser::backwardAvailable, m_ui->backButton, &QPushButton::setEnabled);
    connect(m_ui->helpBrowser, &QTextBrowser::forwardAvailable, m_ui->forwardButton, &QPushButton::setEnabled);
    connect(m_ui->helpBrowser, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        m_currentAnchor = url.fragment();
    });
    // Links inside the help file are followed here, links out of it go to the desktop; a link to
    // any other file would replace the help document with nothing.
    m_ui->helpBrowser->setOpenLinks(false);
    connect(m_ui->helpBrowser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme().isEmpty() && url.path().isEmpty() && url.hasFragment())
            showAnchor(url.fragment());
        else if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")
            || url.scheme() == QLatin1String("mailto"))
            QDesktopServices::openUrl(url);
    });
    connect(m_ui->contentsButton, &QPushButton::clicked, this, &HelpViewer::showContents);
    connect(m_ui->searchButton, &QPushButton::clicked, this, [this] { showSearch(m_ui->searchLineEdit->text()); });
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->searchLineEdit, &QLineEdit::textChanged, this, &HelpViewer::runSearch);
    connect(m_ui->searchLineEdit, &QLineEdit::returnPressed, this, [this] {
        if (m_ui->searchResultListWidget->count() > 0)
            openTopicItem(m_ui->searchResultListWidget->item(0));
    });
    connect(m_ui->contentsListWidget, &QListWidget::itemActivated, this, &HelpViewer::openTopicItem);
    connect(m_ui->contentsListWidget, &QListWidget::itemClicked, this, &HelpViewer::openTopicItem);
    connect(m_ui->searchResultListWidget, &QListWidget::itemActivated, this, &HelpViewer::openTopicItem);
    connect(m_ui->searchResultListWidget, &QListWidget::itemClicked, this, &HelpViewer::openTopicItem);
}

HelpViewer::~HelpViewer() = default;

bool HelpViewer::loadFile(const QString& path, QString* errorText)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorText) {
            *errorText = QFileInfo::exists(path)
                ? QStringLiteral("ヘルプ ファイルを開けませんでした。\n%1\n(%2)").arg(path, file.errorString())
                : QStringLiteral("ヘルプ ファイルが見つかりません。\n%1").arg(path);
        }
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (errorText)
            *errorText
                = QStringLiteral("ヘルプ ファイルを読み込めませんでした。\n%1\n(%2)").arg(path, file.errorString());
        return false;
    }
    QStringDecoder decoder(QStringConverter::Utf8);
    QString html = decoder.decode(bytes);
    if (decoder.hasError()) {
        if (errorText)
            *errorText = QStringLiteral("ヘルプ ファイルの形式が正しくありません。\n%1").arg(path);
        return false;
    }

    m_fileName = path;
    m_html = std::move(html);
    m_currentAnchor.clear();
    m_ui->helpBrowser->clearHistory();
    // An empty anchor in front of a heading would land at the end of the block before it, so a
    // jump would show the last line of the previous topic; the anchor is moved into the heading.
    static const QRegularExpression anchorBeforeHeading(
        QStringLiteral(R"((<a\s[^>]*\bname\s*=[^>]*>\s*</a>)\s*(<h[1-6]\b[^>]*>))"),
        QRegularExpression::CaseInsensitiveOption);
    m_ui->helpBrowser->setHtml(QString(m_html).replace(anchorBeforeHeading, QStringLiteral("\\2\\1")));

    // Topics are found in the source rather than the laid-out document: the numbered anchors and
    // their <h2> titles are the help file's fixed structure.
    m_topics.clear();
    static const QRegularExpression anchorPattern(
        QStringLiteral(R"(<a\s[^>]*\bname\s*=\s*["']?topic-(\d+)["']?[^>]*>)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression titlePattern(QStringLiteral(R"(<h2\b[^>]*>(.*?)</h2\s*>)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    QVector<QRegularExpressionMatch> anchors;
    for (auto it = anchorPattern.globalMatch(m_html); it.hasNext();)
        anchors.append(it.next());
    for (qsizetype i = 0; i < anchors.size(); ++i) {
        const qsizetype begin = anchors[i].capturedEnd();
        const qsizetype end = i + 1 < anchors.size() ? anchors[i + 1].capturedStart() : m_html.size();
        const QString section = m_html.mid(begin, end - begin);
        Topic topic;
        topic.number = anchors[i].captured(1).toInt();
        const QRegularExpressionMatch title = titlePattern.match(section);
        topic.title = title.hasMatch() ? plainText(title.captured(1)).simplified()
                                       : QStringLiteral("トピック %1").arg(topic.number);
        topic.text = plainText(section);
        m_topics.append(topic);
    }
    fillContents();
    runSearch();
    fitNavigationPane();
    return true;
}

QString HelpViewer::fileName() const
{
    return m_fileName;
}

const QVector<HelpViewer::Topic>& HelpViewer::topics() const
{
    return m_topics;
}

bool HelpViewer::showAnchor(const QString& anchor)
{
    const QRegularExpression pattern(
        QStringLiteral(R"(\b(name|id)\s*=\s*["']?%1["'\s>])").arg(QRegularExpression::escape(anchor)),
        QRegularExpression::CaseInsensitiveOption);
    if (!pattern.match(m_html).hasMatch())
        return false;
    QUrl url;
    url.setFragment(anchor);
    m_ui->helpBrowser->setSource(url);
    // setSource() does not scroll again when the browser already stands at this anchor.
    m_ui->helpBrowser->scrollToAnchor(anchor);
    m_currentAnchor = anchor;
    return true;
}

void HelpViewer::showContents()
{
    m_ui->navigationTabWidget->setCurrentWidget(m_ui->contentsTab);
    if (!showAnchor(QStringLiteral("contents")))
        m_ui->helpBrowser->verticalScrollBar()->setValue(0);
}

bool HelpViewer::showTopic(int topic)
{
    for (int row = 0; row < m_ui->contentsListWidget->count(); ++row) {
        QListWidgetItem* item = m_ui->contentsListWidget->item(row);
        if (item->data(TopicNumberRole).toInt() == topic)
            m_ui->contentsListWidget->setCurrentItem(item);
    }
    return showAnchor(QStringLiteral("topic-%1").arg(topic));
}

void HelpViewer::showSearch(const QString& keyword)
{
    m_ui->navigationTabWidget->setCurrentWidget(m_ui->searchTab);
    m_ui->searchLineEdit->setText(keyword);
    runSearch();
    m_ui->searchLineEdit->setFocus();
    m_ui->searchLineEdit->selectAll();
}

QString HelpViewer::currentAnchor() const
{
    return m_currentAnchor;
}

QVector<int> HelpViewer::search(const QString& keyword) const
{
    static const QRegularExpression blanks(QStringLiteral("[\\s\\x{3000}]+"));
    const QStringList words = searchForm(keyword).split(blanks, Qt::SkipEmptyParts);
    QVector<int> found;
    for (const Topic& topic : m_topics) {
        const QString haystack = searchForm(topic.title + QLatin1Char('\n') + topic.text);
        bool all = true;
        for (const QString& word : words)
            all = all && haystack.contains(word);
        if (all)
            found.append(topic.number);
    }
    return found;
}

void HelpViewer::fillContents()
{
    m_ui->contentsListWidget->clear();
    for (const Topic& topic : m_topics) {
        auto* item = new QListWidgetItem(topic.title, m_ui->contentsListWidget);
        item->setData(TopicNumberRole, topic.number);
        item->setToolTip(topic.title);
    }
}

void HelpViewer::fitNavigationPane()
{
    // The contents list is the way into the help, so every topic title must be readable in it
    // without scrolling sideways: the pane takes the longest title's width, up to half the screen,
    // and the window grows so that the page beside it keeps a comfortable reading width.
    QListWidget* const lists[] = { m_ui->contentsListWidget, m_ui->searchResultListWidget };
    int textWidth = 0;
    for (QListWidget* list : lists)
        textWidth = std::max(textWidth, list->sizeHintForColumn(0));
    if (textWidth <= 0)
        return;
    const QListWidget* list = m_ui->contentsListWidget;
    const QMargins page = m_ui->contentsLayout->contentsMargins();
    const int tabFrame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_ui->navigationTabWidget);
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    const int slack = 8;
    const int wanted = textWidth + 2 * list->frameWidth() + scrollBar + page.left() + page.right() + tabFrame + slack;

    const QScreen* shownOn = screen();
    const int screenWidth = shownOn ? shownOn->availableGeometry().width() : 1280;
    const int pane = std::min(wanted, screenWidth / 2);
    const int readingWidth = 560;
    layout()->activate();
    const int outside = width() - m_ui->helpSplitter->width();
    const int needed = pane + m_ui->helpSplitter->handleWidth() + readingWidth + std::max(outside, 0);
    if (width() < needed)
        resize(std::min(needed, screenWidth), height());
    layout()->activate();
    const int total = m_ui->helpSplitter->width() - m_ui->helpSplitter->handleWidth();
    m_ui->helpSplitter->setSizes({ pane, std::max(total - pane, 0) });
}

void HelpViewer::runSearch()
{
    m_ui->searchResultListWidget->clear();
    const QVector<int> found = search(m_ui->searchLineEdit->text());
    for (const Topic& topic : m_topics) {
        if (!found.contains(topic.number))
            continue;
        auto* item = new QListWidgetItem(topic.title, m_ui->searchResultListWidget);
        item->setData(TopicNumberRole, topic.number);
        item->setToolTip(topic.title);
    }
    m_ui->searchCountLabel->setText(QStringLiteral("%1 件のトピックが見つかりました。").arg(found.size()));
}

void HelpViewer::openTopicItem(QListWidgetItem* item)
{
    if (item)
        showAnchor(QStringLiteral("topic-%1").arg(item->data(TopicNumberRole).toInt()));
}

} // namespace harukaze
