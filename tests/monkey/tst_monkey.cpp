// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Random play against the reference model. A seeded driver clicks anywhere
// on the window, presses F2, uses every menu item, answers the boxes from a
// hostile set of texts, opens and closes the About and Help windows and
// resizes the window; as an assistive tool would, it walks the whole
// accessible tree and presses cells, links, buttons and menu items, behind
// the boxes too; after every event the window must show what the model
// of the rules shows, and must have asked exactly the boxes the model asked,
// in order, each with the window behind it as the model had it.
//
// The same seed gives the same run. The environment of the test sets the
// run: MONKEY_SEEDS seeds (default 3) from MONKEY_FIRST_SEED (default 1),
// MONKEY_EVENTS events each (default 300). A failure names the seed, the
// event and the events before it, and how to replay it.
//
// Exit ends the program, so the driver takes it as the end of a session: it
// checks that the window went and the information windows stayed, then
// opens a fresh window, as the next start of the program would.

#include "application.h"
#include "gamewindow.h"
#include "referencemodel.h"

#include <QAccessible>
#include <QApplication>
#include <QPointer>
#include <QPushButton>

#include <deque>
#include <memory>
#include <random>

namespace {
int setting(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value >= 0 ? value : fallback;
}

// A text as a trace line can hold it: short, and printable as ASCII.
QString shown(const QString &text)
{
    if (text.size() > 24)
        return QStringLiteral("<%1 chars: %2...>").arg(text.size()).arg(shown(text.left(8)));
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
            out += c;
        else
            out += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'));
    }
    return out + QLatin1Char('"');
}

QString withNul(const QString &text, int at)
{
    QString out = text;
    out.insert(at, QChar(0));
    return out;
}

// Names and passwords no player should be able to break the window with.
const QStringList &hostileTexts()
{
    static const QStringList texts = {
        QString(),
        QStringLiteral("&"),
        QStringLiteral("&&"),
        QStringLiteral("a&"),
        QStringLiteral("&x&&y&"),
        QStringLiteral("<b>x</b>"),
        QStringLiteral("<img src=/etc/passwd>"),
        QStringLiteral("\u05E9\u05DC\u05D5\u05DD"), // Hebrew
        QStringLiteral("\u0645\u0631\u062D\u0628\u0627 abc"), // Arabic, then Latin
        QStringLiteral("\u202Eevil\u202C"), // a right-to-left override
        QStringLiteral("\U0001F600\U0001F3B2"), // emoji
        QStringLiteral("\U0001F468\u200D\U0001F469\u200D\U0001F467"), // one joined emoji
        QStringLiteral("e\u0301\u0302\u0303"), // combining marks
        QStringLiteral("\u0301"), // a combining mark alone
        QStringLiteral("Z") + QString(200, QChar(0x0336)),
        QString(QChar(0xD800)), // half a surrogate pair
        QStringLiteral("\x01\a\b\t\n\r\x1b[31m\x7f"),
        withNul(QStringLiteral("ab"), 1),
        QStringLiteral(" "),
        QStringLiteral("     "),
        QStringLiteral("%1 %s %n"),
    };
    return texts;
}

const QStringList &nearMisses()
{
    static const QStringList texts = {
        QStringLiteral(" plumo"),
        QStringLiteral("Plumo"),
        QStringLiteral("plumo "),
        QStringLiteral("PLUMO"),
        QStringLiteral("plum"),
        QStringLiteral("plumo\n"),
        withNul(QStringLiteral("plumo"), 5),
        QStringLiteral("\uFF50lumo"), // a full-width p
        QStringLiteral("Trazk"),
        QStringLiteral(" trazk"),
        QStringLiteral("trazk "),
        QStringLiteral("<b>trazk</b>"),
        QStringLiteral("grindlefopsy "),
        QStringLiteral("Grindlefopsy"),
        QStringLiteral("grindle"),
        QStringLiteral("grindlefopsyy"),
        QStringLiteral("&grindlefopsy"),
    };
    return texts;
}

QString caseSwapped(const QString &text)
{
    QString out;
    for (QChar c : text)
        out += c.isUpper() ? c.toLower() : c.toUpper();
    return out;
}

// Figures of the whole run, over all seeds.
struct Figures
{
    int events = 0, moves = 0, wonByO = 0, wonByX = 0, cats = 0;
    int nameBoxes = 0, passwordBoxes = 0, refusedBoxes = 0, playAgainYes = 0, playAgainNo = 0;
    int codeOne = 0, codeTwo = 0, codeCat = 0, codeRefused = 0;
    int menuNewGame = 0, f2 = 0, menuHelp = 0, menuAbout = 0, menuExit = 0;
    int infoClosed = 0, resizes = 0, onPicture = 0, onNothing = 0, onClosedCell = 0;
    int pressedCells = 0, pressedLinks = 0, pressedBehindBoxes = 0, treeWalks = 0;
};

enum class Event {
    CellCentre,
    BoardPoint,
    Seam,
    Picture,
    HiddenLabel,
    Elsewhere,
    F2,
    MenuNewGame,
    MenuHelp,
    MenuAbout,
    MenuExit,
    AboutButton,
    AboutClose,
    HelpButton,
    HelpClose,
    Resize,
    PressCell,
    PressLink,
    PressAboutButton,
    PressHelpButton,
    WalkTree,
    Count
};

// The About or Help windows there are, shown or all.
QList<QWidget *> infoWindows(const char *className, bool shownOnly)
{
    QList<QWidget *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->inherits(className) && (!shownOnly || widget->isVisible()))
            found << widget;
    }
    return found;
}

// What differs between the window and a view of the model.
QString differences(const GameWindow &game, const ModelView &view)
{
    QStringList out;
    for (int n = 1; n <= 9; ++n) {
        const ClassicLabel *cell = game.cell(n);
        if (cell->text() != view.captions[n - 1])
            out << QStringLiteral("cell %1 shows %2, expected %3")
                       .arg(n)
                       .arg(shown(cell->text()), shown(view.captions[n - 1]));
        if (cell->isEnabled() != view.enabled[n - 1])
            out << QStringLiteral("cell %1 is %2")
                       .arg(n)
                       .arg(cell->isEnabled() ? QStringLiteral("enabled")
                                              : QStringLiteral("disabled"));
        if (cell->backColor() != view.colors[n - 1])
            out << QStringLiteral("cell %1 colour %2, expected %3")
                       .arg(n)
                       .arg(cell->backColor(), 8, 16, QLatin1Char('0'))
                       .arg(view.colors[n - 1], 8, 16, QLatin1Char('0'));
    }
    if (game.status() != view.status)
        out << QStringLiteral("status %1, expected %2")
                   .arg(shown(game.status()), shown(view.status));
    if (game.ears()->isVisible() != view.ears)
        out << QStringLiteral("ears shown: %1").arg(game.ears()->isVisible());
    for (int n = 1; n <= 4; ++n) {
        if (game.line(n)->isVisible() != view.grid)
            out << QStringLiteral("grid line %1 shown: %2").arg(n).arg(game.line(n)->isVisible());
    }
    if (game.winPicture()->isVisible() != view.picture)
        out << QStringLiteral("win picture shown: %1").arg(game.winPicture()->isVisible());
    return out.join(QStringLiteral("; "));
}

// Asks every object of every window what a screen reader asks: name, role,
// state, place and actions. A description that outlives what it describes
// shows up here, under the sanitizers.
void walkAccessible(QAccessibleInterface *object, int depth)
{
    if (!object || !object->isValid() || depth > 20)
        return;
    for (int t = QAccessible::Name; t <= QAccessible::Accelerator; ++t)
        object->text(QAccessible::Text(t));
    object->role();
    object->state();
    object->rect();
    if (QAccessibleActionInterface *actions = object->actionInterface())
        actions->actionNames();
    for (int i = 0; i < object->childCount(); ++i)
        walkAccessible(object->child(i), depth + 1);
}
void walkAccessibleTree()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        walkAccessible(QAccessible::queryAccessibleInterface(window), 0);
}

// Presses a menu item as an assistive tool does, through the menu's
// accessible children; the press is queued, as on a cell.
void pressMenuItem(const QAction *action)
{
    QAccessibleInterface *menu = QAccessible::queryAccessibleInterface(action->parent());
    for (int i = 0; i < menu->childCount(); ++i) {
        if (menu->child(i)->object() == action)
            menu->child(i)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
}

// One seed's run: the window, the model, and the random choices between them.
class Monkey
{
public:
    Monkey(quint32 seed, Figures &figures)
        : seed(seed)
        , rng(seed)
        , figures(figures)
    {}

    QString start() { return newSession(); }
    QString step();
    QString report(const QString &problem) const;

private:
    int pick(int n) { return int(rng() % unsigned(n)); }
    void useMenu(const char *name);
    int between(int low, int high) { return low + pick(high - low + 1); }
    Event chooseEvent();
    QPoint pointFor(Event event);
    QString drawName(int player);
    QString drawPassword();
    int drawPlayAgain() { return pick(2) ? Platform::Yes : Platform::No; }
    ModelAnswers answers();

    QString newSession();
    void script(const std::vector<ModelBox> &boxes);
    void boxOpened(std::size_t index, const ModelBox &box);
    QString perform(Event event, QPoint point);
    QString pressLink();
    void pressBehindBox();
    QString closeInfo(Event event);
    QSize drawSize();
    QString resize();
    QString checkAfter(const ReferenceModel::Result &result);
    QString infoProblems();
    void count(Event event, const ReferenceModel::Result &result);
    QString describe(Event event, QPoint point, const ReferenceModel::Result &result) const;

    const quint32 seed;
    std::mt19937 rng;
    Figures &figures;
    std::unique_ptr<GameWindow> game;
    ReferenceModel model;
    QSize setSize; // the window's size as the driver last set it
    QSize menuBar; // what the window has above its client area
    QSize newSize; // of a resize event
    bool aboutOpen = false;
    bool helpOpen = false;
    QString name1; // the last name drawn for player 1
    int pressed = 0; // the cell of a press event
    int index = 0;
    Event previous = Event::Count;
    std::deque<QString> trace;

    // Watches the boxes of one event as they open.
    qsizetype boxesBefore = 0;
    int openBoxes = 0;
    QString boxProblem;
};

QString Monkey::newSession()
{
    game.reset(); // closes the information windows with the old window
    game = std::make_unique<GameWindow>();
    if (!game->show())
        return QStringLiteral("the window did not become active");
    setSize = game->window.size();
    menuBar = setSize - game->window.centralWidget()->size();
    model.programStart();
    aboutOpen = helpOpen = false;
    return differences(*game, model.view());
}

Event Monkey::chooseEvent()
{
    // While a game runs most events are moves, so that games end; between
    // games the driver mostly starts one or tries the hidden label.
    const bool playing = model.playing();
    const bool picture = model.view().picture;
    std::array<int, int(Event::Count)> weight {};
    weight[int(Event::CellCentre)] = playing ? 600 : 20;
    weight[int(Event::BoardPoint)] = playing ? 80 : 30;
    weight[int(Event::Seam)] = 30;
    weight[int(Event::Picture)] = picture ? 60 : 15;
    weight[int(Event::HiddenLabel)] = playing ? 60 : 120;
    // Codes in a row, such as the cat's face and then a forced win, are
    // where the forced results meet: after one, another comes soon.
    if (previous == Event::HiddenLabel)
        weight[int(Event::HiddenLabel)] *= 4;
    weight[int(Event::Elsewhere)] = 30;
    weight[int(Event::F2)] = playing ? 12 : 150;
    weight[int(Event::MenuNewGame)] = playing ? 12 : 150;
    weight[int(Event::MenuHelp)] = 12;
    weight[int(Event::MenuAbout)] = 12;
    weight[int(Event::MenuExit)] = 8;
    weight[int(Event::AboutButton)] = aboutOpen ? 15 : 0;
    weight[int(Event::AboutClose)] = aboutOpen ? 15 : 0;
    weight[int(Event::HelpButton)] = helpOpen ? 15 : 0;
    weight[int(Event::HelpClose)] = helpOpen ? 15 : 0;
    weight[int(Event::Resize)] = 15;
    weight[int(Event::PressCell)] = playing ? 150 : 15;
    weight[int(Event::PressLink)] = helpOpen ? 15 : 0;
    weight[int(Event::PressAboutButton)] = aboutOpen ? 5 : 0;
    weight[int(Event::PressHelpButton)] = helpOpen ? 5 : 0;
    weight[int(Event::WalkTree)] = 20;
    int total = 0;
    for (int w : weight)
        total += w;
    int r = pick(total);
    for (int e = 0; e < int(Event::Count); ++e) {
        if (r < weight[e])
            return Event(e);
        r -= weight[e];
    }
    return Event::CellCentre;
}

QPoint Monkey::pointFor(Event event)
{
    using M = ReferenceModel;
    QPoint p;
    switch (event) {
    case Event::CellCentre: {
        // An open cell while a game runs, near its centre.
        std::vector<int> cells;
        for (int n = 1; n <= 9; ++n) {
            if (model.cellOpen(n) || !model.playing())
                cells.push_back(n);
        }
        const int n = cells[pick(int(cells.size()))];
        p = M::cellRect(n).center() + QPoint(between(-20, 20), between(-20, 20));
        break;
    }
    case Event::BoardPoint:
        p = QPoint(between(36, 212), between(52, 228));
        break;
    case Event::Seam: {
        // Where cells overlap, and just inside and outside the board's edge.
        const int along = between(40, 208);
        const int across[] = {96, 152, 40, 208, 39, 209};
        const int downAcross[] = {112, 168, 56, 224, 55, 225};
        const int which = pick(6);
        switch (pick(3)) {
        case 0:
            p = QPoint(across[which], along + 16);
            break;
        case 1:
            p = QPoint(along, downAcross[which]);
            break;
        default:
            p = QPoint(across[which], downAcross[pick(6)]);
        }
        break;
    }
    case Event::Picture:
        p = QPoint(between(107, 140), between(124, 157));
        break;
    case Event::HiddenLabel:
        p = pick(5) ? QPoint(between(232, 248), between(160, 176))
                    : QPoint(between(230, 250), between(158, 178));
        break;
    default: // the status line, the ears' place or any other point
        switch (pick(3)) {
        case 0:
            p = QPoint(between(40, 208), between(0, 32));
            break;
        case 1:
            p = QPoint(between(24, 224), between(16, 56));
            break;
        default:
            p = QPoint(pick(setSize.width()), pick(setSize.height()));
        }
    }
    // Only the part of the client area that the window shows takes clicks.
    const QSize client = setSize - menuBar;
    return QPoint(
        std::clamp(p.x(), 0, client.width() - 1), std::clamp(p.y(), 0, client.height() - 1));
}

QString Monkey::drawName(int player)
{
    const int r = pick(100);
    const QString ownDefault = QStringLiteral("Player %1").arg(player);
    QString name;
    if (r < 12)
        name = ownDefault;
    else if (r < 16)
        name = QStringLiteral("Player %1").arg(3 - player);
    else if (player == 2 && r < 26)
        name = name1;
    else if (player == 2 && r < 32)
        name = caseSwapped(name1);
    else if (r < 33)
        name = QString(10000, QLatin1Char('W'));
    else if (r < 34)
        name = QStringLiteral("word ").repeated(20000); // 100,000 characters
    else if (r < 42)
        name = nearMisses()[pick(int(nearMisses().size()))];
    else if (r < 46)
        name = QStringList {QStringLiteral("plumo"), QStringLiteral("trazk"),
            QStringLiteral("grindlefopsy")}[pick(3)];
    else if (r < 60)
        name = QStringList {QStringLiteral("Ann"), QStringLiteral("ann"), QStringLiteral("Bob"),
            QStringLiteral("Sam"), QStringLiteral("Sam ")}[pick(5)];
    else
        name = hostileTexts()[pick(int(hostileTexts().size()))];
    if (player == 1)
        name1 = name;
    return name;
}

QString Monkey::drawPassword()
{
    const int r = pick(100);
    if (r < 18)
        return QStringLiteral("plumo");
    if (r < 36)
        return QStringLiteral("trazk");
    if (r < 54)
        return QStringLiteral("grindlefopsy");
    if (r < 76)
        return nearMisses()[pick(int(nearMisses().size()))];
    if (r < 78)
        return QString(10000, QLatin1Char('p'));
    return hostileTexts()[pick(int(hostileTexts().size()))];
}

ModelAnswers Monkey::answers()
{
    return {[this](int player) { return drawName(player); }, [this] { return drawPassword(); },
        [this] { return drawPlayAgain(); }};
}

// Queues the answers the model gave, each to be handed over as its box
// opens and after the window behind it has been compared with the model.
void Monkey::script(const std::vector<ModelBox> &boxes)
{
    boxesBefore = game->platform.boxes.size();
    openBoxes = 0;
    boxProblem.clear();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const ModelBox box = boxes[i];
        if (box.buttons < 0) {
            game->platform.inputAnswers.push_back([this, i, box] {
                boxOpened(i, box);
                return box.answerText;
            });
        } else {
            game->platform.messageAnswers.push_back([this, i, box] {
                boxOpened(i, box);
                return box.answerCode;
            });
        }
    }
}

void Monkey::boxOpened(std::size_t i, const ModelBox &box)
{
    const auto note = [this](const QString &problem) {
        if (boxProblem.isEmpty())
            boxProblem = problem;
    };
    if (openBoxes > 0)
        note(QStringLiteral("a box opened while another box was open"));
    ++openBoxes;
    if (pick(4) == 0)
        pressBehindBox();
    const qsizetype at = game->platform.boxes.size() - 1 - boxesBefore;
    const QString asked = game->platform.boxes.last().text;
    if (at != qsizetype(i) || asked != box.text) {
        const QString wrongBox = QStringLiteral("box %1 of the event was %2, expected box %3 %4");
        note(wrongBox.arg(at + 1).arg(shown(asked)).arg(i + 1).arg(shown(box.text)));
    } else if (const QString seen = differences(*game, box.behind); !seen.isEmpty()) {
        note(QStringLiteral("behind box %1 %2: %3").arg(i + 1).arg(shown(box.text), seen));
    }
    // A real modal box runs an event loop of its own while it is open.
    QCoreApplication::processEvents();
    --openBoxes;
}

QString Monkey::step()
{
    ++index;
    const Event event = chooseEvent();
    QPoint point;
    ReferenceModel::Hit hit;
    bool openCell = false;
    ReferenceModel::Result result; // nothing, for events outside the game's rules
    if (event <= Event::Elsewhere) {
        point = pointFor(event);
        hit = model.hitAt(point);
        openCell = hit.target == ReferenceModel::Target::Cell && model.cellOpen(hit.cell);
        model.click(point, answers());
        result = model.result();
    } else if (event == Event::F2 || event == Event::MenuNewGame) {
        model.newGame(answers());
        result = model.result();
    } else if (event == Event::Resize) {
        newSize = drawSize();
    } else if (event == Event::PressCell) {
        pressed = between(1, 9);
        model.press(pressed, answers());
        result = model.result();
    }
    trace.push_back(describe(event, point, result));
    if (trace.size() > 20)
        trace.pop_front();

    script(result.boxes);
    QString problem = perform(event, point);
    if (problem.isEmpty() && event != Event::MenuExit)
        problem = checkAfter(result);
    count(event, result);
    previous = event;
    if (event <= Event::Elsewhere) {
        figures.onPicture += hit.target == ReferenceModel::Target::Picture;
        figures.onClosedCell += hit.target == ReferenceModel::Target::Cell && !openCell;
        figures.onNothing += hit.target == ReferenceModel::Target::Nothing ||
            hit.target == ReferenceModel::Target::Status ||
            hit.target == ReferenceModel::Target::Ears;
    }
    return problem;
}

QString Monkey::perform(Event event, QPoint point)
{
    switch (event) {
    case Event::F2:
        // Keys go to the active window, and the information windows take
        // the activation when they open.
        if (!game->activate())
            return QStringLiteral("the window could not be activated for F2");
        QTest::keyClick(&game->window, Qt::Key_F2);
        return {};
    case Event::MenuNewGame:
        useMenu("mnuMenuNewGame");
        return {};
    case Event::MenuHelp:
        useMenu("mnuMenuHelp");
        helpOpen = true;
        return {};
    case Event::MenuAbout:
        useMenu("mnuMenuAbout");
        aboutOpen = true;
        return {};
    case Event::MenuExit: {
        const qsizetype asked = game->platform.boxes.size();
        useMenu("mnuMenuExit");
        if (game->window.isVisible())
            return QStringLiteral("Exit left the window open");
        if (game->platform.boxes.size() != asked)
            return QStringLiteral("Exit asked a box");
        if (const QString problem = infoProblems(); !problem.isEmpty())
            return QStringLiteral("after Exit: ") + problem;
        if (const QString problem = newSession(); !problem.isEmpty())
            return QStringLiteral("the new window: ") + problem;
        return {};
    }
    case Event::AboutButton:
    case Event::AboutClose:
    case Event::HelpButton:
    case Event::HelpClose:
        return closeInfo(event);
    case Event::Resize:
        return resize();
    case Event::PressCell:
        // Queued: the tool's call returns first, the click follows.
        GameWindow::press(game->cell(pressed));
        QCoreApplication::processEvents();
        return {};
    case Event::PressLink:
        return pressLink();
    case Event::PressAboutButton:
    case Event::PressHelpButton:
        return closeInfo(event);
    case Event::WalkTree:
        walkAccessibleTree();
        return {};
    default:
        game->clickAt(point);
        return {};
    }
}

QString Monkey::closeInfo(Event event)
{
    const bool about = event == Event::AboutButton || event == Event::AboutClose ||
        event == Event::PressAboutButton;
    const QList<QWidget *> windows = infoWindows(about ? "frmAboutTTT" : "frmHelp", true);
    if (windows.size() != 1)
        return QStringLiteral("%1 %2 windows open, expected one")
            .arg(windows.size())
            .arg(about ? QStringLiteral("About") : QStringLiteral("Help"));
    QWidget *window = windows.first();
    if (event == Event::AboutClose || event == Event::HelpClose) {
        window->close();
    } else if (event == Event::PressAboutButton || event == Event::PressHelpButton) {
        // Qt's own buttons animate a press before they click.
        GameWindow::press(window->findChild<QPushButton *>(
            about ? QStringLiteral("cmdOK") : QStringLiteral("Command1")));
        const QPointer<QWidget> pressed = window; // deleted once closed
        if (!QTest::qWaitFor([&pressed] { return !pressed || !pressed->isVisible(); }))
            return QStringLiteral("a pressed button did not close its window");
    } else {
        auto *button = window->findChild<QPushButton *>(
            about ? QStringLiteral("cmdOK") : QStringLiteral("Command1"));
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, button->geometry().center());
    }
    (about ? aboutOpen : helpOpen) = false;
    return {};
}

// A press on one of the Help window's links hands its address to the shell
// once.
QString Monkey::pressLink()
{
    const QList<QWidget *> windows = infoWindows("frmHelp", true);
    if (windows.size() != 1)
        return QStringLiteral("%1 Help windows open, expected one").arg(windows.size());
    const qsizetype opened = game->platform.opened.size();
    GameWindow::press(windows.first()->findChild<ClassicLabel *>(
        pick(2) ? QStringLiteral("lbladdress") : QStringLiteral("lblemail")));
    QCoreApplication::processEvents();
    if (game->platform.opened.size() != opened + 1)
        return QStringLiteral("a link pressed opened %1 addresses")
            .arg(game->platform.opened.size() - opened);
    ++figures.pressedLinks;
    return {};
}

// A menu item chosen as the mouse does, or pressed by an assistive tool.
void Monkey::useMenu(const char *name)
{
    if (pick(2)) {
        game->action(name)->trigger();
    } else {
        pressMenuItem(game->action(name));
        QCoreApplication::processEvents();
    }
}

// Presses behind an open box, where nothing acts: on a cell, a menu item,
// and the links and buttons of the About and Help windows. The comparisons
// that follow find any effect, a window opened, closed or ended among them.
void Monkey::pressBehindBox()
{
    GameWindow::press(game->cell(between(1, 9)));
    static const char *const items[] = {
        "mnuMenuNewGame", "mnuMenuHelp", "mnuMenuAbout", "mnuMenuExit"};
    pressMenuItem(game->action(items[pick(4)]));
    for (QWidget *help : infoWindows("frmHelp", true)) {
        GameWindow::press(help->findChild<ClassicLabel *>(QStringLiteral("lbladdress")));
        GameWindow::press(help->findChild<QPushButton *>(QStringLiteral("Command1")));
    }
    for (QWidget *about : infoWindows("frmAboutTTT", true))
        GameWindow::press(about->findChild<QPushButton *>(QStringLiteral("cmdOK")));
    ++figures.pressedBehindBoxes;
}

// Back to the design, larger, or now and then smaller: a smaller window
// hides part of the board, which no click can then reach.
QSize Monkey::drawSize()
{
    const QSize design = ReferenceModel::clientSize() + menuBar;
    const int r = pick(20);
    if (r < 8)
        return design;
    const QSize smallest =
        r < 17 ? design : game->window.minimumSizeHint().expandedTo(QSize(120, 100));
    return QSize(between(smallest.width(), 600), between(smallest.height(), 500));
}

QString Monkey::resize()
{
    const QSize size = newSize;
    setSize = size;
    game->window.resize(size);
    if (!QTest::qWaitFor([&] { return game->window.centralWidget()->size() == size - menuBar; }))
        return QStringLiteral("the window did not take the size %1x%2")
            .arg(size.width())
            .arg(size.height());
    return {};
}

QString Monkey::infoProblems()
{
    // Closed windows are freed: none is left behind once deletions have run.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const int about = int(infoWindows("frmAboutTTT", true).size());
    const int help = int(infoWindows("frmHelp", true).size());
    const int aboutKept = int(infoWindows("frmAboutTTT", false).size());
    const int helpKept = int(infoWindows("frmHelp", false).size());
    if (about != int(aboutOpen) || aboutKept != int(aboutOpen))
        return QStringLiteral("%1 About windows shown, %2 kept, expected %3")
            .arg(about)
            .arg(aboutKept)
            .arg(int(aboutOpen));
    if (help != int(helpOpen) || helpKept != int(helpOpen))
        return QStringLiteral("%1 Help windows shown, %2 kept, expected %3")
            .arg(help)
            .arg(helpKept)
            .arg(int(helpOpen));
    return {};
}

QString Monkey::checkAfter(const ReferenceModel::Result &result)
{
    ScriptedPlatform &platform = game->platform;
    if (!boxProblem.isEmpty())
        return boxProblem;
    if (platform.unexpectedBoxes != 0)
        return QStringLiteral("the window asked a box the rules do not ask: %1")
            .arg(shown(platform.boxes.last().text));
    const qsizetype asked = platform.boxes.size() - boxesBefore;
    if (asked != qsizetype(result.boxes.size()) || !platform.inputAnswers.empty() ||
        !platform.messageAnswers.empty()) {
        platform.inputAnswers.clear();
        platform.messageAnswers.clear();
        return QStringLiteral("the window asked %1 boxes, the rules %2")
            .arg(asked)
            .arg(result.boxes.size());
    }
    int playAgain = 0;
    for (std::size_t i = 0; i < result.boxes.size(); ++i) {
        const ScriptedPlatform::Box &box = platform.boxes[boxesBefore + qsizetype(i)];
        const ModelBox &expected = result.boxes[i];
        if (box.defaultText != expected.defaultText || box.buttons != expected.buttons)
            return QStringLiteral("box %1 %2 had default %3 and buttons %4")
                .arg(i + 1)
                .arg(shown(box.text), shown(box.defaultText))
                .arg(box.buttons);
        playAgain += box.text == u"Play again?";
    }
    if (playAgain > 1)
        return QStringLiteral("one event asked \"Play again?\" %1 times").arg(playAgain);

    if (!game->window.isVisible())
        return QStringLiteral("the window is gone");
    if (const QString seen = differences(*game, model.view()); !seen.isEmpty())
        return seen;

    // Nothing grows or moves, whatever the texts.
    using M = ReferenceModel;
    if (game->window.size() != setSize)
        return QStringLiteral("the window is %1x%2, the driver set %3x%4")
            .arg(game->window.width())
            .arg(game->window.height())
            .arg(setSize.width())
            .arg(setSize.height());
    for (int n = 1; n <= 9; ++n) {
        if (game->cell(n)->geometry() != M::cellRect(n))
            return QStringLiteral("cell %1 moved").arg(n);
    }
    if (game->message()->geometry() != M::statusRect())
        return QStringLiteral("the status line moved or grew");
    if (game->hiddenLabel()->geometry() != M::hiddenLabelRect() ||
        game->winPicture()->geometry() != M::pictureRect() ||
        game->ears()->geometry() != M::earsRect())
        return QStringLiteral("a control moved");
    return infoProblems();
}

void Monkey::count(Event event, const ReferenceModel::Result &result)
{
    Figures &f = figures;
    ++f.events;
    f.moves += result.marked;
    f.wonByO += result.wonByO;
    f.wonByX += result.wonByX;
    f.cats += result.cat;
    for (const ModelBox &box : result.boxes) {
        switch (box.kind) {
        case ModelBox::Name1:
        case ModelBox::Name2:
            ++f.nameBoxes;
            break;
        case ModelBox::Password:
            ++f.passwordBoxes;
            break;
        case ModelBox::Refused:
            ++f.refusedBoxes;
            break;
        case ModelBox::PlayAgain:
            ++(box.answerCode == Platform::Yes ? f.playAgainYes : f.playAgainNo);
            break;
        }
    }
    switch (result.code) {
    case ReferenceModel::Code::PlayerOne:
        ++f.codeOne;
        break;
    case ReferenceModel::Code::PlayerTwo:
        ++f.codeTwo;
        break;
    case ReferenceModel::Code::Cat:
        ++f.codeCat;
        break;
    case ReferenceModel::Code::Refused:
        ++f.codeRefused;
        break;
    case ReferenceModel::Code::None:
        break;
    }
    switch (event) {
    case Event::F2:
        ++f.f2;
        break;
    case Event::MenuNewGame:
        ++f.menuNewGame;
        break;
    case Event::MenuHelp:
        ++f.menuHelp;
        break;
    case Event::MenuAbout:
        ++f.menuAbout;
        break;
    case Event::MenuExit:
        ++f.menuExit;
        break;
    case Event::AboutButton:
    case Event::AboutClose:
    case Event::HelpButton:
    case Event::HelpClose:
        ++f.infoClosed;
        break;
    case Event::Resize:
        ++f.resizes;
        break;
    case Event::PressCell:
        ++f.pressedCells;
        break;
    case Event::PressAboutButton:
    case Event::PressHelpButton:
        ++f.infoClosed;
        break;
    case Event::WalkTree:
        ++f.treeWalks;
        break;
    default:
        break;
    }
}

QString Monkey::describe(Event event, QPoint point, const ReferenceModel::Result &result) const
{
    static const char *const names[] = {"click near a cell centre", "click on the board",
        "click on a seam or edge", "click on the win picture's place", "click on the hidden label",
        "click off the board", "F2", "menu New Game", "menu Help", "menu About", "menu Exit",
        "Close About button", "About close()", "Close Help button", "Help close()", "resize",
        "press on a cell", "press on a link", "press on Close About", "press on Close Help",
        "walk the accessible tree"};
    QString text = QStringLiteral("#%1 %2").arg(index).arg(QLatin1String(names[int(event)]));
    if (event <= Event::Elsewhere)
        text += QStringLiteral(" at (%1,%2)").arg(point.x()).arg(point.y());
    if (event == Event::Resize)
        text += QStringLiteral(" to %1x%2").arg(newSize.width()).arg(newSize.height());
    if (event == Event::PressCell)
        text += QStringLiteral(" %1").arg(pressed);
    QStringList boxes;
    for (const ModelBox &box : result.boxes) {
        if (box.buttons < 0)
            boxes << shown(box.text.left(12)) + QStringLiteral(" -> ") + shown(box.answerText);
        else
            boxes << shown(box.text) + QStringLiteral(" -> %1").arg(box.answerCode);
    }
    if (!boxes.isEmpty())
        text += QStringLiteral(" [") + boxes.join(QStringLiteral(", ")) + QLatin1Char(']');
    return text;
}

QString Monkey::report(const QString &problem) const
{
    QStringList lines;
    lines << QStringLiteral("seed %1, event %2: %3").arg(seed).arg(index).arg(problem);
    lines << QStringLiteral("last events:");
    for (const QString &entry : trace)
        lines << QStringLiteral("  ") + entry;
    lines << QStringLiteral("replay: QT_QPA_PLATFORM=offscreen MONKEY_FIRST_SEED=%1 MONKEY_SEEDS=1 "
                            "MONKEY_EVENTS=%2 tst_monkey play")
                 .arg(seed)
                 .arg(index);
    return lines.join(QLatin1Char('\n'));
}
} // namespace

class TestMonkey : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void play_data();
    void play();
    void reachedEverything();

private:
    Figures figures;
};

namespace {
QtMessageHandler testHandler = nullptr;

// The offscreen platform says so each time a window is raised or resized;
// thousands of those lines would bury a failure.
void quietPlatform(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    testHandler(type, context, message);
}
} // namespace

void TestMonkey::initTestCase()
{
    setUpApplication();
    // As with a screen reader running: the accessibility layer answers.
    QAccessible::setActive(true);
    testHandler = qInstallMessageHandler(quietPlatform);
}

void TestMonkey::play_data()
{
    QTest::addColumn<quint32>("seed");
    const int first = setting("MONKEY_FIRST_SEED", 1);
    const int seeds = setting("MONKEY_SEEDS", 3);
    for (int i = 0; i < seeds; ++i)
        QTest::addRow("seed %d", first + i) << quint32(first + i);
}

void TestMonkey::play()
{
    QFETCH(quint32, seed);
    const int events = setting("MONKEY_EVENTS", 300);
    Monkey monkey(seed, figures);
    if (const QString problem = monkey.start(); !problem.isEmpty())
        QFAIL(qPrintable(monkey.report(problem)));
    for (int i = 0; i < events; ++i) {
        if (const QString problem = monkey.step(); !problem.isEmpty())
            QFAIL(qPrintable(monkey.report(problem)));
    }
}

// The run as a whole reached every outcome and used every command, so a
// driver that stopped reaching the window cannot pass.
void TestMonkey::reachedEverything()
{
    const Figures &f = figures;
    qInfo().noquote() << QStringLiteral("%1 events, %2 moves; won by O %3, by X %4; cats %5")
                             .arg(f.events)
                             .arg(f.moves)
                             .arg(f.wonByO)
                             .arg(f.wonByX)
                             .arg(f.cats);
    qInfo().noquote() << QStringLiteral("boxes answered: names %1, passwords %2, "
                                        "\"Password incorrect.\" %3, play again Yes %4, No %5")
                             .arg(f.nameBoxes)
                             .arg(f.passwordBoxes)
                             .arg(f.refusedBoxes)
                             .arg(f.playAgainYes)
                             .arg(f.playAgainNo);
    qInfo().noquote() << QStringLiteral("passwords: player 1 %1, player 2 %2, cat %3, incorrect %4")
                             .arg(f.codeOne)
                             .arg(f.codeTwo)
                             .arg(f.codeCat)
                             .arg(f.codeRefused);
    qInfo().noquote() << QStringLiteral("menu: New Game %1, F2 %2, Help %3, About %4, Exit %5; "
                                        "information windows closed %6; resizes %7")
                             .arg(f.menuNewGame)
                             .arg(f.f2)
                             .arg(f.menuHelp)
                             .arg(f.menuAbout)
                             .arg(f.menuExit)
                             .arg(f.infoClosed)
                             .arg(f.resizes);
    qInfo().noquote() << QStringLiteral("presses on cells %1, on links %2, behind boxes %3; "
                                        "tree walks %4")
                             .arg(f.pressedCells)
                             .arg(f.pressedLinks)
                             .arg(f.pressedBehindBoxes)
                             .arg(f.treeWalks);
    qInfo().noquote() << QStringLiteral("clicks on the win picture %1, on a closed cell %2, "
                                        "on no control %3")
                             .arg(f.onPicture)
                             .arg(f.onClosedCell)
                             .arg(f.onNothing);
    QVERIFY2(f.wonByO > 0, "no game won by O");
    QVERIFY2(f.wonByX > 0, "no game won by X");
    QVERIFY2(f.cats > 0, "no full board");
    QVERIFY2(f.playAgainYes > 0 && f.playAgainNo > 0, "\"Play again?\" not answered both ways");
    QVERIFY2(f.codeOne > 0, "the player 1 code never entered");
    QVERIFY2(f.codeTwo > 0, "the player 2 code never entered");
    QVERIFY2(f.codeCat > 0, "the cat code never entered");
    QVERIFY2(f.codeRefused > 0, "no password refused");
    QVERIFY2(f.menuNewGame > 0 && f.f2 > 0, "New Game not used both by menu and F2");
    QVERIFY2(f.menuHelp > 0 && f.menuAbout > 0 && f.menuExit > 0, "a menu item never used");
    QVERIFY2(f.infoClosed > 0, "no About or Help window closed");
    QVERIFY2(f.pressedCells > 0 && f.pressedBehindBoxes > 0 && f.treeWalks > 0,
        "no assistive press or tree walk");
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
