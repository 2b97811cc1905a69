// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmtictactoe.h"

#include "access/announcement.h"
#include "access/boardfocus.h"
#include "access/spoken.h"
#include "controls/classiclabel.h"
#include "controls/lineshape.h"
#include "controls/picturebox.h"
#include "controls/twips.h"
#include "info/frmabout.h"
#include "info/frmhelp.h"
#include "platform/fonts.h"
#include "platform/platform.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenuBar>

#include <algorithm>
#include <functional>
#include <utility>

namespace {
const QString startText = QStringLiteral("Click Menu - New Game or push F2 to get started.");
const QString catText = QStringLiteral("               The Cat Won!");
const QString markO = QStringLiteral(" O");
const QString markX = QStringLiteral(" X");

QString turnText(const QString &name)
{
    return QStringLiteral("It's ") + name + QStringLiteral("'s turn.");
}

QString winText(const QString &name)
{
    return name + QStringLiteral(" Won!");
}

// The eight lines in the order they are tested, by cell number.
constexpr std::array<std::array<int, boardSide>, 8> winningLines = {{
    {1, 2, 3}, {4, 5, 6}, {7, 8, 9}, // rows
    {1, 4, 7}, {2, 5, 8}, {3, 6, 9}, // columns
    {1, 5, 9}, {3, 5, 7}, // diagonals
}};

// clang-format off
// The cat's face, cell by cell: eyes, nose, and a mouth that the bottom
// row's captions draw together.
const std::array<QString, boardCells> catFace = {
    QStringLiteral(" 0"),    QString(),            QStringLiteral(" 0"),
    QString(),               QStringLiteral(" D"), QString(),
    QStringLiteral("   \\"), QStringLiteral("___"), QStringLiteral("/"),
};

// The decorated board: red corners, white edges, a button-face centre.
constexpr std::array<ColorValue, boardCells> designColors = {
    FixedColor::Red,   FixedColor::White,       FixedColor::Red,
    FixedColor::White, SystemColor::ButtonFace, FixedColor::White,
    FixedColor::Red,   FixedColor::White,       FixedColor::Red,
};
// clang-format on
} // namespace

frmTicTacToe::frmTicTacToe(Platform &platform, QWidget *parent)
    : QMainWindow(parent)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("frmTicTacToe"));
    setWindowTitle(QStringLiteral("Tic Tac Toe"));
    setWindowIcon(pictureIcon(Picture::Grid));
    m_platform.setBoxOwner(this);

    buildMenu();
    buildControls();

    // The window opens with its client area at a fixed place on the screen.
    const int menuHeight = menuBar()->sizeHint().height();
    setGeometry(
        QRect(clientPosition() - QPoint(0, menuHeight), clientSize() + QSize(0, menuHeight)));

    Form_Load();
}

// The program ends only once every window is closed, so this runs after the
// information windows are gone; tests that make many games close them here.
frmTicTacToe::~frmTicTacToe()
{
    delete m_about;
    delete m_help;
}

QSize frmTicTacToe::clientSize()
{
    return twipsRect(0, 0, 3735, 3465).size();
}

QPoint frmTicTacToe::clientPosition()
{
    return twipsPoint(255, 825);
}

void frmTicTacToe::buildMenu()
{
    mnuMenu = menuBar()->addMenu(QStringLiteral("&Menu"));
    mnuMenu->setObjectName(QStringLiteral("mnuMenu"));

    const auto item = [this](const char *name, const QString &caption,
                          void (frmTicTacToe::*command)()) {
        QAction *action = mnuMenu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connectCommand(action, &QAction::triggered, this, std::bind_front(command, this));
        return action;
    };
    mnuMenuNewGame =
        item("mnuMenuNewGame", QStringLiteral("New Game"), &frmTicTacToe::mnuMenuNewGame_Click);
    mnuMenuNewGame->setShortcut(Qt::Key_F2);
    mnuMenuHelp = item("mnuMenuHelp", QStringLiteral("Help"), &frmTicTacToe::mnuMenuHelp_Click);
    mnuMenuAbout =
        item("mnuMenuAbout", QStringLiteral("&About"), &frmTicTacToe::mnuMenuAbout_Click);
    mnuMenuExit = item("mnuMenuExit", QStringLiteral("E&xit"), &frmTicTacToe::mnuMenuExit_Click);
}

ClassicLabel *frmTicTacToe::makeCell(int number)
{
    const int row = (number - 1) / boardSide;
    const int column = (number - 1) % boardSide;
    auto *cell = new ClassicLabel(centralWidget(), QStringLiteral("Label%1").arg(number),
        twipsRect(600 + 840 * column, 840 + 840 * row, 855, 855));
    cell->setFont(designFont(QStringLiteral("Arial"), 36));
    return cell;
}

// Creates the controls from the bottom of the drawing order up: a control
// made later is drawn over, and takes the clicks of, those made before it.
void frmTicTacToe::buildControls()
{
    auto *client = new QWidget(this);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    Label1 = makeCell(1);
    Label2 = makeCell(2);
    Label3 = makeCell(3);
    Label4 = makeCell(4);
    Label5 = makeCell(5);
    Label6 = makeCell(6);
    Label7 = makeCell(7);
    Label8 = makeCell(8);
    Label9 = makeCell(9);
    // Each cell's click runs its own handler, in cell order.
    constexpr std::array<void (frmTicTacToe::*)(), boardCells> cellHandlers = {
        &frmTicTacToe::Label1_Click, &frmTicTacToe::Label2_Click, &frmTicTacToe::Label3_Click,
        &frmTicTacToe::Label4_Click, &frmTicTacToe::Label5_Click, &frmTicTacToe::Label6_Click,
        &frmTicTacToe::Label7_Click, &frmTicTacToe::Label8_Click, &frmTicTacToe::Label9_Click};
    const auto all = cells();
    for (std::size_t i = 0; i < all.size(); ++i) {
        connectCommand(
            all[i], &ClassicLabel::clicked, this, std::bind_front(cellHandlers[i], this));
        all[i]->setFocusMarkWidth(2);
    }

    const auto gridLine = [client](const char *name, int x1, int y1, int x2, int y2) {
        auto *line = new LineShape(client, x1, y1, x2, y2, 3, SystemColor::WindowText);
        line->setObjectName(QLatin1String(name));
        return line;
    };
    Line2 = gridLine("Line2", 600, 2520, 3120, 2520);
    Line3 = gridLine("Line3", 1440, 840, 1440, 3360);
    Line1 = gridLine("Line1", 600, 1680, 3120, 1680);

    lblMessage = new ClassicLabel(
        client, QStringLiteral("lblMessage"), twipsRect(600, 0, 2535, 495), startText);
    lblMessage->setFont(designFont(QStringLiteral("MS Sans Serif"), 9.75));

    Image1 = pictureBox(client, QStringLiteral("Image1"), Picture::Monogram, 1620, 1875);
    Image1->setAccessibleName(QStringLiteral("Win picture"));
    Image1->hide();

    Line4 = gridLine("Line4", 2280, 840, 2280, 3360);

    lblEars = new ClassicLabel(client, QStringLiteral("lblEars"), twipsRect(360, 240, 3015, 615),
        QStringLiteral("A      A"));
    lblEars->setFont(designFont(QStringLiteral("Arial"), 48));
    lblEars->setForeColor(SystemColor::GrayText);
    lblEars->hide();

    Label10 = new ClassicLabel(client, QStringLiteral("Label10"), twipsRect(3480, 2400, 255, 255));
    Label10->setCursor(clickHereCursor());
    connectCommand(
        Label10, &ClassicLabel::clicked, this, std::bind_front(&frmTicTacToe::Label10_Click, this));

    // Made last, as it reads the status line, and put under the cells.
    m_board = new BoardFocus(client, cells(), lblMessage);

    applyBackColor();
}

// The window's own background is the scroll-bar colour of the desktop.
void frmTicTacToe::applyBackColor()
{
    QPalette pal = centralWidget()->palette();
    pal.setColor(QPalette::Window, resolveColor(SystemColor::ScrollBars, palette()));
    centralWidget()->setPalette(pal);
}

void frmTicTacToe::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyBackColor();
}

// Every change of the status line is spoken, without taking the focus,
// after the move that led to it.
void frmTicTacToe::setMessage(const QString &text)
{
    lblMessage->setText(text);
    Announcement::announce(lblMessage, m_moveSpoken);
}

std::array<ClassicLabel *, boardCells> frmTicTacToe::cells() const
{
    return {Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9};
}

// The four grid lines, shown over the board or taken away for the cat.
void frmTicTacToe::showGrid(bool shown)
{
    for (LineShape *line : {Line1, Line2, Line3, Line4})
        line->setVisible(shown);
}

// Brings the window to rest: board closed, ears away, grid shown, and the
// status line telling how to start.
void frmTicTacToe::Form_Load()
{
    for (ClassicLabel *cell : cells())
        cell->setEnabled(false);
    lblEars->hide();
    setMessage(startText);
    showGrid(true);
}

// Starts a game: asks both names and gives player 1 the first move.
void frmTicTacToe::mnuMenuNewGame_Click()
{
    showGrid(true);
    for (ClassicLabel *cell : cells())
        cell->setText(QString());
    lblEars->hide();
    strPlayer1 = m_platform.inputBox(
        QStringLiteral("Please enter your name, Player 1:"), QStringLiteral("Player 1"));
    strPlayer2 = m_platform.inputBox(
        QStringLiteral("Please enter your name, Player 2:"), QStringLiteral("Player 2"));
    setMessage(turnText(strPlayer1));
    turn = Player::One;
    for (ClassicLabel *cell : cells())
        cell->setEnabled(true);
}

// Opens the Help window beside the game, or brings the open one forward.
void frmTicTacToe::mnuMenuHelp_Click()
{
    if (m_help && !m_help->isVisible())
        delete m_help; // closed, and waiting to be deleted
    if (!m_help)
        m_help = new frmHelp(m_platform);
    m_platform.showWindow(m_help);
}

// Opens the About window beside the game, or brings the open one forward.
void frmTicTacToe::mnuMenuAbout_Click()
{
    if (m_about && !m_about->isVisible())
        delete m_about; // closed, and waiting to be deleted
    if (!m_about)
        m_about = new frmAboutTTT(m_platform);
    m_platform.showWindow(m_about);
}

// Leaves the game: closes the main window only.
void frmTicTacToe::mnuMenuExit_Click()
{
    m_platform.unloadWindow(this);
}

void frmTicTacToe::Label1_Click()
{
    cellClick(Label1);
}
void frmTicTacToe::Label2_Click()
{
    cellClick(Label2);
}
void frmTicTacToe::Label3_Click()
{
    cellClick(Label3);
}
void frmTicTacToe::Label4_Click()
{
    cellClick(Label4);
}
void frmTicTacToe::Label5_Click()
{
    cellClick(Label5);
}
void frmTicTacToe::Label6_Click()
{
    cellClick(Label6);
}
void frmTicTacToe::Label7_Click()
{
    cellClick(Label7);
}
void frmTicTacToe::Label8_Click()
{
    cellClick(Label8);
}
void frmTicTacToe::Label9_Click()
{
    cellClick(Label9);
}

// One move: the player to move marks the cell and the turn passes. Two tests
// in a row, not a choice: the first disables the cell it marks, and so keeps
// the second from marking it again.
void frmTicTacToe::cellClick(ClassicLabel *cell)
{
    const auto all = cells();
    const int index = int(std::find(all.begin(), all.end(), cell) - all.begin());
    if (cell->isEnabled() && turn == Player::One) {
        cell->setText(markO);
        turn = Player::Two;
        m_moveSpoken = spokenMove(markO, index);
        setMessage(turnText(strPlayer2));
        cell->setEnabled(false);
    }
    if (cell->isEnabled() && turn == Player::Two) {
        cell->setText(markX);
        turn = Player::One;
        m_moveSpoken = spokenMove(markX, index);
        setMessage(turnText(strPlayer1));
        cell->setEnabled(false);
    }
    CheckWinner();
    m_moveSpoken.clear();
}

// Announces three equal marks in a line, or the cat for a full board.
void frmTicTacToe::CheckWinner()
{
    const auto all = cells();
    const auto lineOf = [&all](const std::array<int, boardSide> &line, const QString &mark) {
        return all[line[0] - 1]->text() == mark && all[line[1] - 1]->text() == mark &&
            all[line[2] - 1]->text() == mark;
    };
    // The scan goes on after a win, over the board that PlayAgain left: that
    // board is empty, so a move brings at most one announcement.
    for (const auto &line : winningLines) {
        if (lineOf(line, markO)) {
            setMessage(winText(strPlayer1));
            Design();
            PlayAgain();
        }
        if (lineOf(line, markX)) {
            setMessage(winText(strPlayer2));
            Design();
            PlayAgain();
        }
    }

    // Player 1 makes the ninth move, so a full board that nobody won leaves
    // the status line naming player 2.
    const bool boardFull =
        std::none_of(all.begin(), all.end(), [](ClassicLabel *cell) { return cell->isEnabled(); });
    if (boardFull && lblMessage->text() == turnText(strPlayer2)) {
        drawCat();
        PlayAgain();
    }
}

// Draws the cat's face over the board, with its ears above it.
void frmTicTacToe::drawCat()
{
    showGrid(false);
    lblEars->show();
    const auto all = cells();
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i]->setText(catFace[i]);
    setMessage(catText);
}

// Decorates the board for a win: empty cells in red, white and button face,
// and the win picture over the centre.
void frmTicTacToe::Design()
{
    const auto all = cells();
    for (ClassicLabel *cell : all)
        cell->setText(QString());
    for (std::size_t i = 0; i < 5; ++i)
        all[i]->setBackColor(designColors[i]);
    Image1->show();
    for (std::size_t i = 5; i < all.size(); ++i)
        all[i]->setBackColor(designColors[i]);
}

// Takes the decoration off. The cells take the window's scroll-bar colour,
// not the button face they had at start-up.
void frmTicTacToe::ClearDesign()
{
    for (ClassicLabel *cell : cells())
        cell->setBackColor(SystemColor::ScrollBars);
    Image1->hide();
}

// Asks whether to play again: Yes starts a new game with names asked anew,
// No leaves the window idle with an empty board.
void frmTicTacToe::PlayAgain()
{
    // A screen reader speaks the box's button as the box takes the focus,
    // and stops speaking what came before: the result is said again then,
    // with the move that ended the game. What follows the answer is no
    // longer that move's news.
    const QString lastMove = std::exchange(m_moveSpoken, QString());
    bool resultRepeated = false;
    const auto repeatResult = connect(qApp, &QApplication::focusChanged, this,
        [this, &resultRepeated, &lastMove](QWidget *, QWidget *now) {
            if (!resultRepeated && now && now->window() != this) {
                resultRepeated = true;
                Announcement::announce(lblMessage, lastMove);
            }
        });
    vntPlayAgain = m_platform.messageBox(QStringLiteral("Play again?"), Platform::YesNo);
    disconnect(repeatResult);
    if (vntPlayAgain == Platform::Yes) {
        Form_Load();
        mnuMenuNewGame_Click();
        ClearDesign();
    }
    if (vntPlayAgain == Platform::No) {
        for (ClassicLabel *cell : cells())
            cell->setText(QString());
        Form_Load();
        ClearDesign();
    }
}

// The hidden label: its codes force a win for either player or draw the cat.
void frmTicTacToe::Label10_Click()
{
    strPassword = m_platform.inputBox(QStringLiteral("Password?"));
    if (strPassword == u"plumo") {
        setMessage(winText(strPlayer1));
        Design();
        lblEars->hide();
    } else if (strPassword == u"trazk") {
        setMessage(winText(strPlayer2));
        Design();
        lblEars->hide();
    } else if (strPassword != u"grindlefopsy") {
        m_platform.messageBox(QStringLiteral("Password incorrect."));
    } else {
        drawCat();
        ClearDesign();
        for (ClassicLabel *cell : cells())
            cell->setEnabled(false);
    }
}
