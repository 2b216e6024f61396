// The help viewer: a window of its own that shows one topic of a help file.
//
// A help file is UTF-8 text. A line "@topic NUMBER TITLE" starts a topic, whose text runs to
// the next such line; lines starting with '#' before the first topic are comments. In a topic,
// an empty line ends a paragraph, a line "== TEXT" is a heading and a line "* TEXT" an item of
// a list, which indented lines continue; other lines join the paragraph they are in.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QTextBrowser;
class QWidget;

struct HelpTopic {
    int number = 0;
    QString title;
    QString html;          // the topic's text as HTML, ready for the window
    bool tooLong = false;  // the text is more than the window takes; html is then empty
};

// Topic `number` of a help file's text; nothing when the file has no such topic. The cost is
// linear in the text, and so is that of showing the HTML: long words get break points and
// long lists are cut into blocks.
std::optional<HelpTopic> FindHelpTopic(const QString& fileText, int number);

// The places a help file named without a folder is looked for, each once: the working folder,
// the program's own folder, the installed data folder. A name with a folder is taken as it is.
QStringList HelpFileCandidates(const QString& name);

// Shows topic `topic` of the help file in the help window, which is opened for `owner` if it
// is not open yet. A missing file or topic is told in the window itself, and so is a file that
// is refused: one that is not a regular file (a FIFO, a device), is too big, or is not UTF-8
// text, and a topic too long to show.
void ShowHelpTopic(QWidget* owner, const QString& fileName, int topic);

// Closes the help window, if it is open.
void QuitHelp();

// The open help window's text view, or nullptr when none is open.
QTextBrowser* OpenHelpView();
