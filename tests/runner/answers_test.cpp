// The answers file reader.
#include <gtest/gtest.h>

#include "answers.h"

namespace {

std::vector<Answer> Parse(const std::string& text) {
  std::vector<Answer> answers;
  std::string error;
  EXPECT_TRUE(ParseAnswers(text, &answers, &error)) << error;
  return answers;
}

TEST(ParseAnswers, ReadsEveryKindInOrder) {
  auto answers = Parse(
      "# a comment line\n"
      "page 100 continue\n"
      "\n"
      "  page 300 text \"D:\\KYR\" back   # typed, then Back\n"
      "msgbox ok\r\n"
      "dialog INSTALL_DLG select 2 button 1\n"
      "dialog 1 button 2");
  ASSERT_EQ(answers.size(), 5u);
  EXPECT_EQ(answers[0].kind, Answer::Kind::Page);
  EXPECT_EQ(answers[0].page, 100);
  EXPECT_EQ(answers[0].outcome, "CONTINUE");
  EXPECT_FALSE(answers[0].has_text);
  EXPECT_EQ(answers[1].page, 300);
  EXPECT_TRUE(answers[1].has_text);
  EXPECT_EQ(answers[1].text, "D:\\KYR");
  EXPECT_EQ(answers[1].outcome, "BACK");
  EXPECT_EQ(answers[1].line, 4);
  EXPECT_EQ(answers[1].source, "page 300 text \"D:\\KYR\" back");
  EXPECT_EQ(answers[2].kind, Answer::Kind::MessageBox);
  EXPECT_EQ(answers[3].kind, Answer::Kind::Dialog);
  EXPECT_EQ(answers[3].dialog, "INSTALL_DLG");
  EXPECT_EQ(answers[3].select, 2);
  EXPECT_EQ(answers[3].button, 1);
  EXPECT_EQ(answers[4].dialog, "1");
  EXPECT_EQ(answers[4].select, Answer::kNoSelection);
  EXPECT_EQ(answers[4].button, 2);
}

TEST(ParseAnswers, QuotedTextKeepsBlanksHashesAndEscapes) {
  auto answers = Parse("page 300 text \"C:\\My Dir #2 \\\"x\\\" \\\\\" exit\n");
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].text, "C:\\My Dir #2 \"x\" \\");
  EXPECT_EQ(answers[0].outcome, "EXIT");
}

TEST(ParseAnswers, EveryOutcomeWord) {
  auto answers = Parse("page 1 continue\npage 1 exit\npage 1 back\npage 1 reactivate\n");
  ASSERT_EQ(answers.size(), 4u);
  EXPECT_EQ(answers[0].outcome, "CONTINUE");
  EXPECT_EQ(answers[1].outcome, "EXIT");
  EXPECT_EQ(answers[2].outcome, "BACK");
  EXPECT_EQ(answers[3].outcome, "REACTIVATE");
}

TEST(ParseAnswers, BadLinesAreRefusedWithTheirNumber) {
  const char* bad[] = {
      "page 100",
      "page x continue",
      "page 99999999999 continue",
      "page 100 go",
      "page 100 text D:\\KYR continue",
      "page 300 text \"D:\\KYR continue",
      "page 100 continue now",
      "msgbox cancel",
      "dialog 1",
      "dialog 1 select button 1",
      "dialog 1 button",
      "click 5",
  };
  for (const char* line : bad) {
    std::vector<Answer> answers;
    std::string error;
    EXPECT_FALSE(ParseAnswers(std::string("page 100 exit\n") + line + "\n", &answers, &error))
        << line;
    EXPECT_NE(error.find("line 2"), std::string::npos) << line << ": " << error;
  }
}

TEST(AnswerQueue, TakesAnswersOnceAndSaysWhatDidNotFit) {
  AnswerQueue queue(Parse("page 100 exit\n"));
  const Answer* first = queue.Next();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(queue.Empty());
  EXPECT_EQ(queue.Next(), nullptr);
  EXPECT_EQ(UnexpectedMessage("page 200", first),
            "setuphost: page 200 shown, but the next answer (line 1) is 'page 100 exit'");
  EXPECT_EQ(UnexpectedMessage("page 200", nullptr),
            "setuphost: page 200 shown, but no answer is left");
}

}  // namespace
