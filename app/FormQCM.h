#pragma once

#include <QTimer>
#include <memory>
#include <optional>

#include "engine/QuizRandom.h"
#include "engine/QuizState.h"
#include "pictures/PictureQueue.h"
#include "quiz/ResultLine.h"
#include "quiz/QuizFile.h"
#include "skin/ShapeWindow.h"
#include "skin/SsStopWatch.h"

namespace Ui { class FormQCM; }
namespace platform { class Speaker; }
class QFileDialog;
class TFormFenetreMessage;
class TFormProjImages;
class TForm1;
class TForm2;
class TForm3;
struct ResultSheet;

// The windows the main window shows.
struct SecondaryWindows
{
    TFormProjImages *FormProjImages = nullptr;
    TFormFenetreMessage *FormFenetreMessage = nullptr;
    TForm1 *Form1 = nullptr;
    TForm3 *Form3 = nullptr;
    TForm2 *Form2 = nullptr;
};

// The main window. It owns the quiz data; the quiz engine's operations are
// its methods and act on its controls (engine/*.cpp).
class TFormQCM : public TShapedForm
{
    Q_OBJECT
public:
    explicit TFormQCM(QWidget *parent = nullptr);
    ~TFormQCM() override;

    // Also listens to how the correction window closes.
    void setSecondaryWindows(const SecondaryWindows &windows);

    // The form's controls, as the engine and the tests reach them.
    std::unique_ptr<Ui::FormQCM> ui;
    QuizState State;
    qcm::QuestionBank QuestionBank;
    TStopWatch *StopWatch1 = nullptr;
    QTimer *Timer = nullptr;
    // The quiz file dialog, made when first needed: building it costs more
    // than the rest of start-up.
    QFileDialog *OpenDialog1();

    // Creation, start-up state and quitting (app/).
    void FormCreate();
    void EzRgnBtn1Click();
    // Shows the question's picture at full size in the image projector.
    void Image8Click();

    // Commands (app/).
    void EzRgnBtn7Click();
    void EzRgnBtn8Click();
    void EzRgnBtn9Click();
    void DRLabel4Click();
    void DRLabel5Click();
    void ComboBox1Change();
    void ToolButton9Click();
    void ToolButton10Click();
    void ToolButton13Click();
    void ToolButton8Click();
    void ToolButton4Click();
    void ToolButton1Click();
    void ToolButton2Click();

    // Loading (engine/QuizLoading.cpp).
    void LectureFichier();
    // The same load for a file named beforehand (on the command line), without
    // the dialog; the dialog then starts from that file.
    void OuvrirQCM(const QString &fileName);
    void ReloadQuiz();
    // Reads the whole file into the bank, or leaves the bank as it was and
    // returns false (the load must stop here).
    bool Lecture_des_enregistrements(const QString &fileName);

    // Question order (engine/QuestionOrder.cpp).
    void Preparation_des_questions();
    // The record asked at a position (1 to QuestionCount) of the order;
    // null outside the quiz.
    const qcm::QuestionRecord *recordAt(int position) const;

    // Display (engine/QuestionDisplay.cpp).
    void Affiche(int P);
    // The picture the question at a position names, if any.
    std::optional<pictures::PictureRequest> pictureOf(int position) const;
    // Decoded in the background: the first question's once the quiz is ready,
    // the next one's while a question is shown.
    pictures::PictureQueue Pictures;

    // Answer checking (engine/AnswerChecking.cpp).
    void Tester_les_reponses();
    void SelectReponse1();
    void SelectReponse2();
    void SelecReponse3();
    void SelectReponse4();
    void SelectReponse5();
    void Corrige();

    // Flow (engine/QuizFlow.cpp).
    void Commencer();
    void Question_Suivante();
    void Precedente();
    void FenetreCorrection();
    void Suivant();
    // The correction window was closed, by its ball or any other way.
    void FormFenetreMessageClose();

    // Results (engine/Results.cpp).
    void Affiche_Bilan();
    void EzRgnBtn15Click();

    // Results leaving the screen (engine/ResultsPrint.cpp, engine/FinishedQuizResult.cpp).
    void ToolButton11Click();
    void ToolButton14Click();
    // Asks the pupil's name, kept until the program closes; false if cancelled.
    bool askPupilName();
    // The finished quiz as printed, with the summary and review on screen.
    ResultSheet resultSheet() const;
    // Takes the result of the quiz just finished, for printing and the log.
    void keepResult();

    // Modes and clock (engine/Modes.cpp, engine/Clock.cpp).
    void ToolButton5Click();
    void ToolButton6Click();
    void EzRgnBtn10Click();
    void EzRgnBtn13Click();
    void StartTimer();
    void ResetTimer();
    void TimerTimer();
    void RefreshTimer();
    void temporise(int N);

    // Reading aids (engine/ReadAloud.cpp, engine/LargeText.cpp): the question
    // and the correction read aloud, and a larger, spaced text.
    void ToolButton15Click();
    void ToolButton16Click();
    void readQuestionAloud();
    void readCorrectionAloud();
    void stopReading();
    void applyTextSize();

    // Keyboard and screen readers (app/Keyboard.cpp): keys that do what the
    // buttons and boxes do, the focus mark, and what is announced.
    void setUpKeyboard();
    // Reads the question just shown out to screen readers.
    void announceQuestion();

    // The scrambling of quiz texts, in place on a copy of a field.
    void DeCrypt(qcm::ShortString &text, int length) const;
    void Crypt(qcm::ShortString &text, int length) const;

private:
    void connectControls();
    void setUpToolBarPictures(QWidget *toolBar);
    // Reads the chosen file, then takes its folder, subject and title.
    bool takeChosenFile(const QString &fileName);
    // The quiz just read, ready to start.
    void showQuizReady();
    void hideToolBars();
    void showToolBar(QWidget *toolBar);
    void logResult();
    void showQuestionPicture(pictures::DecodedPicture picture);
    void questionPictureDecoded();
    void setUpReadAloud();
    // The voice, made when first wanted; null while none can speak.
    platform::Speaker *speaker();
    void speechFailed(const QString &why);
    void readAloud(const QString &text);

    SecondaryWindows m_windows;
    // Watches the whole application's events; goes before the controls it reads.
    QObject *m_keys = nullptr;
    QFileDialog *m_openDialog = nullptr;
    QString m_dialogFolder;
    QuizRandom m_random;
    qcm::QuizResult m_lastResult;
    // The quiz under way, for its result: what it was read from and how each
    // question was answered.
    QString m_quizFingerprint;
    std::vector<qcm::AnsweredQuestion> m_answers;
    QString m_pupilName;
    bool m_pupilAsked = false;
    std::unique_ptr<platform::Speaker> m_speaker;
};
