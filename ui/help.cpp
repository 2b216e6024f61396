#include "ui/help.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/data_files.h"
#include "ui/language.h"
#include "ui/window_chrome.h"

namespace {

constexpr int WINDOW_WIDTH = 520;
constexpr int WINDOW_HEIGHT = 560;
constexpr int MIN_BESIDE_WIDTH = 360;  // the narrowest the help gets to stay beside the game

// Limits that keep a damaged or hostile help file from freezing the window: the text view
// lays out long words and long lists in time that grows with the square of their length.
constexpr qint64 MAX_FILE_BYTES = 1 << 20;     // our own file has a few KiB
constexpr qsizetype MAX_TOPIC_CHARS = 100000;  // the text of one topic
constexpr qsizetype MAX_TITLE_CHARS = 200;
constexpr qsizetype WORD_BREAK_CHARS = 64;  // a longer word gets a break point after as many
constexpr int LIST_BLOCK_ITEMS = 100;       // a longer list is shown as several lists
const QChar ZERO_WIDTH_SPACE(0x200B);

// `text` escaped for HTML, with a break point in every run of WORD_BREAK_CHARS characters
// without a space.
QString Html(const QString& text) {
    QString broken;
    broken.reserve(text.size());
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > WORD_BREAK_CHARS && !c.isLowSurrogate()) {
            broken += ZERO_WIDTH_SPACE;
            run = 1;
        }
        broken += c;
    }
    return broken.toHtmlEscaped();
}

QPointer<QWidget> s_window;
QPointer<QTextBrowser> s_view;

// Builds a topic's HTML from its lines, up to MAX_TOPIC_CHARS characters of text.
class TopicWriter {
public:
    void Line(const QString& raw) {
        const QString line = raw.trimmed();
        m_chars += line.size();
        if (m_chars > MAX_TOPIC_CHARS) return;
        if (line.isEmpty()) {
            EndBlock();
        } else if (line.startsWith("== ")) {
            EndBlock();
            m_html += "<h3>" + Html(line.mid(3).trimmed()) + "</h3>\n";
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

    bool TooLong() const { return m_chars > MAX_TOPIC_CHARS; }

    QString Finish() {
        EndBlock();
        return m_html;
    }

private:
    void EndItem() {
        if (m_item.isEmpty()) return;
        if (m_items > 0 && m_items % LIST_BLOCK_ITEMS == 0) m_html += "</ul>\n<ul>\n";
        m_html += "<li>" + Html(m_item) + "</li>\n";
        ++m_items;
        m_item.clear();
    }
    void EndBlock() {
        if (m_inList) {
            EndItem();
            m_html += "</ul>\n";
            m_inList = false;
            m_items = 0;
        }
        if (!m_paragraph.isEmpty()) m_html += "<p>" + Html(m_paragraph) + "</p>\n";
        m_paragraph.clear();
    }

    QString m_html;
    QString m_paragraph;
    QString m_item;
    bool m_inList = false;
    int m_items = 0;  // items of the open list written so far
    qsizetype m_chars = 0;
};

enum class ReadResult { OK, MISSING, REFUSED };

// Reads a help file as UTF-8 text: only a regular file and only up to MAX_FILE_BYTES.
// `problem` tells why a file that is there was refused.
ReadResult ReadHelpText(const QString& path, QString* text, QString* problem) {
    // Opened without blocking, so that a FIFO of that name cannot hold the window in open().
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return ReadResult::MISSING;
        *problem = Tr(QT_TRANSLATE_NOOP("Renju", "cannot be opened: %1."))
                       .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return ReadResult::REFUSED;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        *problem = Tr(QT_TRANSLATE_NOOP("Renju", "is not a regular file."));
        return ReadResult::REFUSED;
    }
    const QString tooBig =
        Tr(QT_TRANSLATE_NOOP("Renju", "is too big: more than %1 bytes.")).arg(MAX_FILE_BYTES);
    if (info.st_size > MAX_FILE_BYTES) {
        *problem = tooBig;
        return ReadResult::REFUSED;
    }
    // One byte more than allowed tells a file that has grown since.
    QByteArray bytes(MAX_FILE_BYTES + 1, Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            *problem = Tr(QT_TRANSLATE_NOOP("Renju", "cannot be read: %1."))
                           .arg(QString::fromLocal8Bit(std::strerror(errno)));
            return ReadResult::REFUSED;
        }
        if (n == 0) break;
        got += n;
    }
    if (got > MAX_FILE_BYTES) {
        *problem = tooBig;
        return ReadResult::REFUSED;
    }
    bytes.truncate(got);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    *text = utf8(bytes);
    if (utf8.hasError() || bytes.contains('\0')) {
        *problem = Tr(QT_TRANSLATE_NOOP("Renju", "is not a text file in UTF-8."));
        return ReadResult::REFUSED;
    }
    return ReadResult::OK;
}

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
    // Narrower beside the game rather than over it, as long as the text still reads well.
    const QRect game = top->frameGeometry();
    const int room = std::max(area.right() - game.right(), game.left() - area.left()) - frame.width();
    if (room < window.width() && room >= MIN_BESIDE_WIDTH) window.resize(room, window.height());
    window.move(PlaceBeside(top->frameGeometry(), window.size() + frame, area).topLeft());
}

QString HelpCaption() {
    return Tr(QT_TRANSLATE_NOOP("Renju", "Help"));
}

// Closes its window when Esc reaches the widget it watches.
class EscapeCloses : public QObject {
public:
    explicit EscapeCloses(QWidget* window) : QObject(window), m_window(window) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier) return false;
        m_window->close();
        return true;
    }

private:
    QWidget* m_window;
};

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
        // Esc closes it, as it does a dialog.
        s_view->installEventFilter(new EscapeCloses(s_window));
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
        for (++i; i < lines.size() && !writer.TooLong() && !lines[i].trimmed().startsWith("@topic"); ++i)
            writer.Line(lines[i]);
        if (writer.TooLong()) return HelpTopic{number, title.left(MAX_TITLE_CHARS), QString(), true};
        return HelpTopic{number, title.left(MAX_TITLE_CHARS), writer.Finish()};
    }
    return std::nullopt;
}

QStringList HelpFileCandidates(const QString& name) {
    if (name.contains('/')) return {name};
    QStringList places;
    for (const std::filesystem::path& place :
         DataFilePlaces(QFile::encodeName(name).toStdString(),
                        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()))
        places << QFile::decodeName(place.c_str());
    return places;
}

void ShowHelpTopic(QWidget* owner, const QString& fileName, int topic) {
    const auto message = [](const QString& text) { return "<p>" + text.toHtmlEscaped() + "</p>"; };
    const QStringList places = HelpFileCandidates(fileName);
    for (const QString& place : places) {
        QString text, problem;
        const ReadResult read = ReadHelpText(place, &text, &problem);
        if (read == ReadResult::MISSING) continue;
        if (read == ReadResult::REFUSED) {
            ShowInWindow(owner, HelpCaption(),
                         message(Tr(QT_TRANSLATE_NOOP("Renju", "The help file %1 %2")).arg(place, problem)));
        } else if (const std::optional<HelpTopic> found = FindHelpTopic(text, topic); !found) {
            ShowInWindow(owner, HelpCaption(),
                         message(Tr(QT_TRANSLATE_NOOP("Renju", "The help file %1 has no topic %2."))
                                     .arg(place)
                                     .arg(topic)));
        } else if (found->tooLong) {
            ShowInWindow(
                owner, HelpCaption(),
                message(Tr(QT_TRANSLATE_NOOP(
                               "Renju",
                               "Topic %1 of the help file %2 is too long to show: more than %3 characters."))
                            .arg(topic)
                            .arg(place)
                            .arg(MAX_TOPIC_CHARS)));
        } else {
            ShowInWindow(owner, found->title.isEmpty() ? HelpCaption() : found->title, found->html);
        }
        return;
    }
    QString html =
        message(Tr(QT_TRANSLATE_NOOP("Renju", "The help file %1 was not found. Looked in:")).arg(fileName)) +
        "<ul>";
    for (const QString& place : places)
        html += "<li>" + place.toHtmlEscaped() + "</li>";
    ShowInWindow(owner, HelpCaption(), html + "</ul>");
}

void QuitHelp() {
    if (s_window) delete s_window.data();
}

QTextBrowser* OpenHelpView() {
    return s_window ? s_view.data() : nullptr;
}
