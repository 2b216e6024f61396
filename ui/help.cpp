#include "ui/help.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>

#include "ui/window_chrome.h"

namespace {

constexpr int WINDOW_WIDTH = 520;
constexpr int WINDOW_HEIGHT = 560;

QPointer<QWidget> s_window;
QPointer<QTextBrowser> s_view;

// Builds a topic's HTML from its lines.
class TopicWriter {
public:
    void Line(const QString& raw) {
        const QString line = raw.trimmed();
        if (line.isEmpty()) {
            EndBlock();
        } else if (line.startsWith("== ")) {
            EndBlock();
            m_html += "<h3>" + line.mid(3).trimmed().toHtmlEscaped() + "</h3>\n";
        } else if (line.startsWith("* ")) {
            if (!m_inList) {
                EndBlock();
                m_html += "<ul>\n";
                m_inList = true;
            } else {
                EndItem();
            }
            m_item = line.mid(2).trimmed();
        } else if (m_inList && raw.front().isSpace()) {
            m_item += ' ' + line;  // an indented line continues the item
        } else {
            if (m_inList) EndBlock();
            if (!m_paragraph.isEmpty()) m_paragraph += ' ';
            m_paragraph += line;
        }
    }

    QString Finish() {
        EndBlock();
        return m_html;
    }

private:
    void EndItem() {
        if (!m_item.isEmpty()) m_html += "<li>" + m_item.toHtmlEscaped() + "</li>\n";
        m_item.clear();
    }
    void EndBlock() {
        if (m_inList) {
            EndItem();
            m_html += "</ul>\n";
            m_inList = false;
        }
        if (!m_paragraph.isEmpty()) m_html += "<p>" + m_paragraph.toHtmlEscaped() + "</p>\n";
        m_paragraph.clear();
    }

    QString m_html;
    QString m_paragraph;
    QString m_item;
    bool m_inList = false;
};

// Reads the first topic line's parts: "@topic 1001 Title".
bool ParseTopicLine(const QString& line, int* number, QString* title) {
    if (!line.startsWith("@topic")) return false;
    const QString rest = line.mid(6).trimmed();
    const qsizetype space = rest.indexOf(' ');
    bool ok = false;
    *number = rest.left(space < 0 ? rest.size() : space).toInt(&ok);
    *title = space < 0 ? QString() : rest.mid(space + 1).trimmed();
    return ok;
}

// Opens the help window beside the game's window, or centred on it when the screen has no
// room beside it, rather than wherever the system puts a new window.
void PlaceBesideOwner(QWidget& window, QWidget* owner) {
    if (!owner) return;
    const QWidget* top = owner->window();
    const QScreen* screen = top->screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    // The help window's frame is taken to be like the game window's.
    const QSize frame = top->frameGeometry().size() - top->geometry().size();
    window.resize(window.size().boundedTo(area.size() - frame));
    window.move(PlaceBeside(top->frameGeometry(), window.size() + frame, area).topLeft());
}

void ShowInWindow(QWidget* owner, const QString& caption, const QString& html) {
    if (!s_window) {
        // Owned by the main window, so that it goes when that window goes.
        s_window = new QWidget(owner, Qt::Window);
        s_window->setAttribute(Qt::WA_DeleteOnClose);
        s_window->resize(WINDOW_WIDTH, WINDOW_HEIGHT);
        auto* layout = new QVBoxLayout(s_window);
        layout->setContentsMargins(0, 0, 0, 0);
        s_view = new QTextBrowser(s_window);
        s_view->setOpenExternalLinks(false);
        layout->addWidget(s_view);
        PlaceBesideOwner(*s_window, owner);
    }
    s_window->setWindowTitle(caption);
    s_view->setHtml(html);
    s_window->show();
    s_window->raise();
    s_window->activateWindow();
}

}  // namespace

std::optional<HelpTopic> FindHelpTopic(const QString& fileText, int number) {
    const QStringList lines = fileText.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        int found = 0;
        QString title;
        if (!ParseTopicLine(lines[i].trimmed(), &found, &title) || found != number) continue;
        TopicWriter writer;
        for (++i; i < lines.size() && !lines[i].trimmed().startsWith("@topic"); ++i)
            writer.Line(lines[i]);
        return HelpTopic{number, title, writer.Finish()};
    }
    return std::nullopt;
}

QStringList HelpFileCandidates(const QString& name) {
    if (name.contains('/')) return {name};
    QStringList places{QDir::current().filePath(name)};
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    if (QFileInfo(beside) != QFileInfo(places.front())) places << beside;
    return places;
}

void ShowHelpTopic(QWidget* owner, const QString& fileName, int topic) {
    const QStringList places = HelpFileCandidates(fileName);
    for (const QString& place : places) {
        QFile file(place);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) continue;
        const QString text = QString::fromUtf8(file.readAll());
        if (const std::optional<HelpTopic> found = FindHelpTopic(text, topic)) {
            ShowInWindow(owner, found->title.isEmpty() ? QString("Help") : found->title, found->html);
        } else {
            ShowInWindow(
                owner, "Help",
                "<p>" + QString("The help file %1 has no topic %2.").arg(place).arg(topic).toHtmlEscaped() +
                    "</p>");
        }
        return;
    }
    QString html = "<p>" +
                   QString("The help file %1 was not found. Looked in:").arg(fileName).toHtmlEscaped() +
                   "</p><ul>";
    for (const QString& place : places)
        html += "<li>" + place.toHtmlEscaped() + "</li>";
    ShowInWindow(owner, "Help", html + "</ul>");
}

void QuitHelp() {
    if (s_window) delete s_window.data();
}

QTextBrowser* OpenHelpView() {
    return s_window ? s_view.data() : nullptr;
}
