// Recorded answer lines read back as the answers they were made from.
#include <gtest/gtest.h>

#include "answer_recorder.h"
#include "answers.h"

namespace {

Answer ParseOne(const std::string& line) {
  std::vector<Answer> answers;
  std::string error;
  EXPECT_TRUE(ParseAnswers(line, &answers, &error)) << line << ": " << error;
  return answers.size() == 1 ? answers[0] : Answer{};
}

TEST(QuoteAnswerText, ReadsBackAsTypedAndKeepsPathsPlain) {
  struct Case {
    std::string text;
    std::string quoted;
  };
  const Case cases[] = {
      {"C:\\KYROTH", "\"C:\\KYROTH\""},      // a path stays as written
      {"D:\\", "\"D:\\\\\""},                // a final backslash would escape the quote
      {"a\\\\b", "\"a\\\\\\b\""},            // two backslashes: the first doubled
      {"say \"hi\"", "\"say \\\"hi\\\"\""},  // quotes escaped
      {"x\\\"y", "\"x\\\\\\\"y\""},          // a backslash before a quote
      {"# not a comment", "\"# not a comment\""},
      {"", "\"\""},
  };
  for (const Case& c : cases) {
    std::string quoted = QuoteAnswerText(c.text);
    EXPECT_EQ(quoted, c.quoted) << c.text;
    Answer read = ParseOne("page 300 text " + quoted + " continue");
    EXPECT_EQ(read.text, c.text) << quoted;
  }
}

TEST(AnswerLines, ReadBackAsTheAnswerGiven) {
  std::string typed = "D:\\My Dir\\";
  Answer page = ParseOne(PageAnswerLine(300, &typed, "BACK"));
  EXPECT_EQ(page.kind, Answer::Kind::Page);
  EXPECT_EQ(page.page, 300);
  EXPECT_TRUE(page.has_text);
  EXPECT_EQ(page.text, typed);
  EXPECT_EQ(page.outcome, "BACK");

  for (const char* outcome : {"CONTINUE", "EXIT", "BACK", "REACTIVATE"}) {
    Answer plain = ParseOne(PageAnswerLine(100, nullptr, outcome));
    EXPECT_FALSE(plain.has_text);
    EXPECT_EQ(plain.outcome, outcome);
  }

  Answer selected = ParseOne(DialogAnswerLine("INSTALL_DLG", 2, 1));
  EXPECT_EQ(selected.dialog, "INSTALL_DLG");
  EXPECT_EQ(selected.select, 2);
  EXPECT_EQ(selected.button, 1);
  Answer unselected = ParseOne(DialogAnswerLine("1", -1, 2));
  EXPECT_EQ(unselected.select, Answer::kNoSelection);
  EXPECT_EQ(unselected.button, 2);

  EXPECT_EQ(ParseOne(kMessageBoxAnswerLine).kind, Answer::Kind::MessageBox);
}

TEST(AnswerRecorder, WritesEachLineThroughAndNothingWithoutAPath) {
  AnswerRecorder none;
  std::string error;
  ASSERT_TRUE(none.Open("", "heading", &error));
  EXPECT_FALSE(none.Active());

  std::string path = ::testing::TempDir() + "recorder_test.answers";
  AnswerRecorder recorder;
  ASSERT_TRUE(recorder.Open(path, "recorded", &error)) << error;
  recorder.Line("page 100 continue");
  recorder.Line(kMessageBoxAnswerLine);
  std::vector<Answer> answers;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  char content[256] = {};
  size_t length = std::fread(content, 1, sizeof content - 1, file);
  std::fclose(file);
  EXPECT_EQ(std::string(content, length), "# recorded\npage 100 continue\nmsgbox ok\n");
  ASSERT_TRUE(ParseAnswers(std::string(content, length), &answers, &error)) << error;
  EXPECT_EQ(answers.size(), 2u);

  AnswerRecorder unwritable;
  EXPECT_FALSE(unwritable.Open(::testing::TempDir() + "no/such/dir/x", "", &error));
  EXPECT_NE(error.find("record file"), std::string::npos) << error;
}

}  // namespace
