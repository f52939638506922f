#include "only.h"

#include "accessibility_workarounds.h"
#include "answer_button.h"
#include "credits.h"
#include "fixed_window.h"
#include "message_box.h"
#include "only_layout.h"
#include "picture_area.h"
#include "quiz_location.h"
#include "result_picture.h"
#include "spoken_question.h"
#include "translated.h"
#include "window_manager_workarounds.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include <cassert>
#include <limits>
#include <utility>

namespace kinsight {

namespace {

// The window's fixed texts, the same in every language; everything else
// comes from the quiz file or is the program's own, translated.
const char* const kInitialTitle = "What Qel Charecter Are You?";
const char* const kInitialQuestion = "Questions Appear Here";
const char* const kSkipCaption = "Ничего из этого  ";
const char* const kRestartCaption = "Сначала";
const char* const kGreeting = "You are...";

constexpr int kSkipId = static_cast<int>(Control::SkipQuestion);

// Control i of a group whose valid indices are first..last: an index out of
// range is a caller's mistake, caught in debug builds and ignored otherwise.
template <typename Widget, std::size_t N>
Widget* controlAt(const std::array<Widget*, N>& controls, int i, int first, int last) {
    const bool inRange = i >= first && i <= last;
    assert(inRange);
    return inRange ? controls[static_cast<std::size_t>(i)] : nullptr;
}

QString fromEngine(const std::string& text) {
    return QString::fromStdString(text);
}

// A caption shows an ampersand as itself rather than as a shortcut mark.
QString literalCaption(const QString& text) {
    QString caption = text;
    return caption.replace(QLatin1Char('&'), QLatin1String("&&"));
}

// A title shows "[*]" as itself rather than as Qt's mark of a modified
// document, which a doubled one is.
QString literalTitle(const QString& text) {
    QString title = text;
    return title.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
}

} // namespace

Only::Only(std::filesystem::path picturesDir, QWidget* parent)
    : QWidget(parent, kFixedWindowFlags), m_picturesDir(std::move(picturesDir)) {
    setObjectName(QStringLiteral("Only"));
    setWindowTitle(QString::fromUtf8(kInitialTitle));

    // setGeometry places the client area, not the frame, where the window
    // was designed to open.
    setGeometry(kClientGeometry);
    setFixedSize(kClientGeometry.size());

    createControls();
    arrangeTabOrder();
    m_windowManager = new WindowManagerWorkarounds(*this);
}

Only::~Only() = default;

void Only::createControls() {
    m_question = new QLabel(QString::fromLatin1(kInitialQuestion), this);
    m_question->setObjectName(QStringLiteral("Question_Box"));
    setUpQuestionBox(*m_question);
    QPalette questionPalette = m_question->palette();
    questionPalette.setColor(QPalette::Window, questionPalette.color(QPalette::Base));
    questionPalette.setColor(QPalette::WindowText, questionPalette.color(QPalette::Text));
    m_question->setPalette(questionPalette);
    m_question->setAutoFillBackground(true);
    // No accessible name of its own: a screen reader then reads the question.
    // Orca ignores a label's changes, so the answers carry the question too
    // (see setQuestion).

    m_optionGroup = new QButtonGroup(this);
    m_optionGroup->setExclusive(true);
    for (int k = 1; k <= kAnswerCount; ++k) {
        auto* option = new AnswerButton(QStringLiteral("Option%1").arg(k), this);
        option->setObjectName(QStringLiteral("Ans%1").arg(k));
        option->setGeometry(answerGeometry(k));
        option->setAccessibleName(option->text());
        toldWhenFocused(*option);
        m_optionGroup->addButton(option, k);
        m_options[k] = option;
    }
    m_spokenQuestion = new SpokenQuestion(*m_question, this);
    auto* skip = new AnswerButton(QString::fromUtf8(kSkipCaption), this);
    skip->setObjectName(QStringLiteral("SkipQuestion"));
    skip->setGeometry(kSkipGeometry);
    skip->setAccessibleName(skip->text());
    toldWhenFocused(*skip);
    m_optionGroup->addButton(skip, kSkipId);
    m_options[kSkipId] = skip;
    // Only a button turning selected scores, so clearing a selection from
    // code never does. A click is not enough: a screen reader's "toggle"
    // selects an answer without clicking it.
    connect(m_optionGroup, &QButtonGroup::idToggled, this, &Only::optionToggled);

    m_picture = new PictureArea(this);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setGeometry(kPictureGeometry);
    m_picture->setAccessibleName(translated(i18n("Result picture")));
    connect(m_picture, &PictureArea::clicked, this, &Only::openCredits);
    // The picture takes no focus, so the keyboard reaches the about window
    // by the usual key for help.
    auto* about = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(about, &QShortcut::activated, this, &Only::openCredits);

    m_resultName = new QLineEdit(this);
    readAsWholeLine(*m_resultName);
    m_resultName->setObjectName(QStringLiteral("Text1"));
    m_resultName->setGeometry(kResultNameGeometry);
    m_resultName->setAccessibleName(translated(i18n("Result")));
    // Whole, however long the name: Qt's own limit is half a field's.
    m_resultName->setMaxLength(std::numeric_limits<int>::max());

    m_restart = new QPushButton(QString::fromUtf8(kRestartCaption), this);
    m_restart->setObjectName(QStringLiteral("cmd_restart"));
    m_restart->setGeometry(kRestartGeometry);
    m_restart->setEnabled(false);
    m_restart->setAccessibleName(m_restart->text());
    connect(m_restart, &QPushButton::clicked, this, &Only::restartChosen);

    // The score panel: never seen, still written and still in the tab order.
    for (int i = 0; i < kCharacterCount; ++i) {
        auto* box = new QLineEdit(this);
        readAsWholeLine(*box);
        announceOnlyWithFocus(*box);
        box->setObjectName(QStringLiteral("score"));
        box->setProperty("index", i);
        box->setGeometry(scoreBoxGeometry(i));
        m_scores[i] = box;
    }
    auto* firstScoreLabel = new QLabel(QStringLiteral("1"), this);
    firstScoreLabel->setObjectName(QStringLiteral("Label1"));
    firstScoreLabel->setGeometry(kFirstScoreLabelGeometry);
    auto* lastScoreLabel = new QLabel(QStringLiteral("15"), this);
    lastScoreLabel->setObjectName(QStringLiteral("Label2"));
    lastScoreLabel->setGeometry(kLastScoreLabelGeometry);
}

void Only::arrangeTabOrder() {
    QList<QWidget*> order;
    for (int k = 1; k <= kAnswerCount; ++k)
        order << m_options[k];
    for (QLineEdit* box : m_scores)
        order << box;
    order << m_options[kSkipId] << m_restart << m_resultName;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void Only::nameScoreBoxes(const std::array<std::string, kCharacterSlots>& names) {
    for (int i = 0; i < kCharacterCount; ++i)
        m_scores[i]->setAccessibleName(
            translated(i18n("Score of {1}"), {fromEngine(names[i + 1])}));
}

void Only::optionToggled(int id, bool selected) {
    if (!selected)
        return;
    m_announceQuestion = true;
    // The group's ids are the choices' Control values.
    Q_EMIT chosen(static_cast<Control>(id));
}

void Only::presentNextQuestion() {
    // No question came (the quiz is over, or nothing was read).
    m_announceQuestion = false;
    // Once finished, closing the answers has already moved the keyboard.
    QRadioButton* first = m_options[1];
    if (first->isEnabled() && focusWidget() != first)
        first->setFocus(Qt::OtherFocusReason);
}

void Only::focusFirstAnswer() {
    m_options[1]->setFocus(Qt::OtherFocusReason);
}

void Only::openCredits() {
    showActive(m_credits.getOrMake([] { return new Credits(); }));
}

QAbstractButton* Only::button(Control control) const {
    if (control == Control::cmd_restart)
        return m_restart;
    return controlAt(m_options, static_cast<int>(control), 1, kSkipId);
}

QLineEdit* Only::scoreBox(int i) const {
    return controlAt(m_scores, i, 0, kCharacterCount - 1);
}

void Only::setTitle(const std::string& text) {
    setWindowTitle(literalTitle(fromEngine(text)));
}

void Only::setQuestion(const std::string& text) {
    const QString question = fromEngine(text);
    m_question->setText(question);
    // After a choice, the question is announced before the answers change:
    // Orca 43 handles the events in order, and of several focus changes it
    // speaks the last, so the keyboard goes to the first answer before.
    if (std::exchange(m_announceQuestion, false)) {
        if (m_options[1]->isEnabled() && focusWidget() != m_options[1])
            m_options[1]->setFocus(Qt::OtherFocusReason);
        m_spokenQuestion->questionChanged();
    }
    // Orca reads a focused answer's description with it, but not a change
    // to the label: the question is heard as the keyboard reaches an answer.
    for (QRadioButton* option : m_options)
        if (option)
            option->setAccessibleDescription(question);
}

void Only::setAnswer(int k, const std::string& text) {
    QAbstractButton* option = controlAt(m_options, k, 1, kAnswerCount);
    if (!option)
        return;
    const QString caption = fromEngine(text);
    setCaptionUnannounced(*option, literalCaption(caption));
    option->setAccessibleName(caption);
}

void Only::clearSelection(Control control) {
    QAbstractButton* option = button(control);
    if (!option || !option->isChecked())
        return;
    // An exclusive group keeps one button checked; lifting the rule for a
    // moment is the only way to show none, and setChecked raises no click.
    m_optionGroup->setExclusive(false);
    option->setChecked(false);
    m_optionGroup->setExclusive(true);
}

void Only::setScoreText(int i, const std::string& text) {
    if (QLineEdit* box = scoreBox(i))
        box->setText(fromEngine(text));
}

void Only::setResultName(const std::string& text) {
    const QString name = fromEngine(text);
    // The result takes the keyboard before it is written: Orca follows a
    // caret that moves first, silently, and then ignores the focus.
    if (!name.isEmpty())
        m_resultName->setFocus(Qt::OtherFocusReason);
    setTextUnannounced(*m_resultName, name);
    // A name wider than the box shows its start.
    m_resultName->setCursorPosition(0);
}

void Only::showPicture(const std::string& characterName) {
    const QString name = fromEngine(characterName);
    if (name.isEmpty()) {
        m_picture->clearPicture();
        m_picture->setAccessibleName(translated(i18n("Result picture")));
        return;
    }
    const ResultPicture picture = readResultPicture(m_picturesDir, name);
    if (picture.image.isNull()) {
        // A missing picture costs the picture, not the result.
        m_picture->clearPicture();
        m_picture->setAccessibleName(translated(i18n("Result picture")));
        warn(translated(
            i18n("No picture of {1}: {2} {3}."),
            {name,
             QString::fromStdString(shownPath(picture.lookup.found.empty() ? picture.lookup.expected
                                                                           : picture.lookup.found)),
             pictureProblemText(picture)}));
        return;
    }
    m_picture->setPicture(QPixmap::fromImage(picture.image));
    m_picture->setAccessibleName(translated(i18n("Result picture: {1}"), {name}));
}

void Only::greet(const std::string& characterName) {
    showMessageBox(QMessageBox::NoIcon, QApplication::applicationName(),
                   QString::fromLatin1(kGreeting) + fromEngine(characterName), "greeting", this);
}

void Only::warn(const QString& text) {
    showMessageBox(QMessageBox::Warning, QApplication::applicationName(), text, "pictureWarning",
                   this);
}

void Only::message(const std::string& text, const std::string& title) {
    showMessageBox(QMessageBox::NoIcon, fromEngine(title), fromEngine(text), "message", this);
}

void Only::setControlEnabled(Control control, bool enabled) {
    QAbstractButton* target = button(control);
    if (!target)
        return;
    // A closed answer hands the keyboard to the result, where a screen
    // reader reads it, not on to the hidden score boxes.
    if (!enabled && focusWidget() == target)
        m_resultName->setFocus(Qt::OtherFocusReason);
    target->setEnabled(enabled);
}

void Only::hideWindow() {
    m_windowManager->hide();
}

void Only::showWindow() {
    m_windowManager->show();
}

void Only::closeEvent(QCloseEvent* event) {
    // The program ends with this window, whatever else is open or hidden.
    m_credits.close();
    Q_EMIT closing();
    event->accept();
}

} // namespace kinsight
