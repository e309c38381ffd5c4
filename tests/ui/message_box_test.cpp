// The message-box helper: tests answer the boxes, and the run messages'
// line breaks arrive as single breaks.
#include <gtest/gtest.h>

#include "dialogs/MessageBoxes.h"
#include "engine/QVExecute.h"

namespace qv {
namespace {

// Answers boxes for one test, then puts the failing handler of the test main back.
class AnswerBoxes {
public:
    explicit AnswerBoxes(MessageAnswer answer) {
        SetMessageHandler([this, answer](MessageKind kind, const QString& text, MessageButtons buttons) {
            kinds.push_back(kind);
            texts.push_back(text);
            lastButtons = buttons;
            return answer;
        });
    }
    ~AnswerBoxes() {
        SetMessageHandler([](MessageKind, const QString& text, MessageButtons) {
            ADD_FAILURE() << "unexpected message box: " << text.toStdString();
            return MessageAnswer::Cancel;
        });
    }
    std::vector<MessageKind> kinds;
    std::vector<QString> texts;
    MessageButtons lastButtons = MessageButtons::Ok;
};

TEST(MessageBoxes, TestsAnswerAndTextsArriveAsShown) {
    AnswerBoxes boxes(MessageAnswer::No);
    EXPECT_EQ(ShowMessage(nullptr, MessageKind::Confirmation,
                          QStringLiteral("Soll die Simulation A gelöscht werden?"), MessageButtons::YesNo),
              MessageAnswer::No);
    EXPECT_EQ(boxes.lastButtons, MessageButtons::YesNo);
    ShowMessage(nullptr, MessageKind::Error, RunErrorMessage(RunError::Kind::DivisionByZero));
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.kinds[1], MessageKind::Error);
    EXPECT_EQ(boxes.texts[1],
              QStringLiteral("In Ihrem Algorithmus wird an einer Stelle durch Null dividiert.\n"
                             "Häufig liegt es an einem Startwert 0.\n"
                             "Sie könnten diesen z.B. auf 0,0001 setzen."));
}

}  // namespace
}  // namespace qv
