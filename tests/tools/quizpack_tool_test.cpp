// The quizpack program, run as a user runs it.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "quiz_table.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

struct TRun {
  int exitCode;
  std::string output;  // standard output and error together
};

TRun RunQuizpack(const std::string& arguments) {
  const std::string command = std::string(QUIZPACK) + " " + arguments + " 2>&1";
  TRun run{-1, {}};
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
    run.output.append(buffer, got);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class QuizpackTool : public ::testing::Test {
 protected:
  void SetUp() override {
    Write("tv.quiz",
          "category: Classic Television 2\n\nquestion: CT01\nletter: B\ntext:\n  = Lucy\n  Which network?\n"
          "answer:\n  **CBS**\nhint:\n  Three letters\n\nquestion: CT02\nletter: D\ntext:\n  Q2\nanswer:\n  "
          "A2\n");
    Write("et.quiz", "category: ET1\nquestion: ET01\nletter: A\ntext:\n  Q3\nanswer:\n  A3\n");
  }

  void Write(const std::string& name, const std::string& text) { folder.Write(name, text); }
  std::string Path(const std::string& name) const { return folder.File(name); }
  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name));
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  TTempFolder folder{"quizpack-test"};
};

TEST_F(QuizpackTool, BuildsListsAndDumpsAnEncryptedTable) {
  const TRun build = RunQuizpack("build --strict --password secret --output " + Path("quiz.db") + " " +
                                 Path("tv.quiz") + " " + Path("et.quiz"));
  ASSERT_EQ(build.exitCode, 0) << build.output;
  EXPECT_NE(build.output.find("3 questions from 2 source files"), std::string::npos) << build.output;
  EXPECT_FALSE(fs::exists(Path("quiz.db.part")));

  const TTableDump dump = ReadTable(Path("quiz.db"), "secret");
  EXPECT_EQ(dump.tableName, "quiz");
  EXPECT_EQ(dump.columns, (std::vector<std::string>{"Order", "QuizName", "Question", "Answer", "Hint",
                                                    "AnswerTx", "Encourage", "Riff", "UserAnswer"}));
  ASSERT_EQ(dump.rows.size(), 3u);
  EXPECT_EQ(dump.rows[2][1], "ET1");
  EXPECT_NE(dump.rows[0][3]->find("{\\b CBS}"), std::string::npos);
  EXPECT_FALSE(dump.rows[1][4].has_value());  // no hint: NULL

  const TRun list = RunQuizpack("list " + Path("quiz.db") + " --password secret");
  ASSERT_EQ(list.exitCode, 0) << list.output;
  EXPECT_NE(list.output.find("quiz: 3 rows"), std::string::npos) << list.output;
  EXPECT_NE(list.output.find("2 | CT02 | Classic Television 2 |"), std::string::npos) << list.output;

  const TRun dumped = RunQuizpack("dump " + Path("quiz.db") + " --password secret --row 1");
  ASSERT_EQ(dumped.exitCode, 0) << dumped.output;
  EXPECT_NE(dumped.output.find("Hint: {\\rtf1"), std::string::npos) << dumped.output;
  EXPECT_EQ(dumped.output.find("ET01"), std::string::npos);

  const TRun wrong = RunQuizpack("list " + Path("quiz.db") + " --password Secret");
  EXPECT_EQ(wrong.exitCode, 1);
  EXPECT_NE(wrong.output.find("wrong password, or not a table file"), std::string::npos) << wrong.output;
}

TEST_F(QuizpackTool, SourceMistakesStopTheBuildAndKeepTheOldTable) {
  ASSERT_EQ(RunQuizpack("build --password p --output " + Path("quiz.db") + " " + Path("et.quiz")).exitCode,
            0);
  Write("bad.quiz", "category: ET1\nquestion: ET02\nletter: E\ntext:\n  **open\nanswer:\n  a\n");
  const TRun strict =
      RunQuizpack("build --strict --password p --output " + Path("quiz.db") + " " + Path("bad.quiz"));
  EXPECT_EQ(strict.exitCode, 1);
  EXPECT_NE(strict.output.find("bad.quiz:3: the letter must be A, B, C or D"), std::string::npos)
      << strict.output;
  const TRun markup = RunQuizpack("build --password p --output " + Path("quiz.db") + " " + Path("bad.quiz"));
  EXPECT_EQ(markup.exitCode, 1);
  EXPECT_NE(markup.output.find("bad.quiz:5: '**' is not closed on this line"), std::string::npos)
      << markup.output;
  EXPECT_EQ(ReadTable(Path("quiz.db"), "p").rows.size(), 1u);

  const TRun check = RunQuizpack("check " + Path("tv.quiz") + " " + Path("et.quiz"));
  EXPECT_EQ(check.exitCode, 0);
  EXPECT_EQ(check.output, "Classic Television 2: 2 questions\nET1: 1 questions\n");
  EXPECT_EQ(RunQuizpack("frobnicate").exitCode, 2);
  EXPECT_EQ(RunQuizpack("build " + Path("tv.quiz")).exitCode, 2);
}

TEST_F(QuizpackTool, AliasAddsOrReplacesItsSectionAndKeepsTheRest) {
  Write("dbengine.cfg",
        "; engine aliases\n[DATABASES\\other\\DB INFO]\nTYPE=STANDARD\nPATH=/srv\n\n"
        "[DATABASES\\vozaza\\DB INFO]\nTYPE=STANDARD\nPATH=old\n\n[DATABASES\\last\\DB INFO]\nPATH=x\n");
  ASSERT_EQ(RunQuizpack("alias --config " + Path("dbengine.cfg") + " --alias vozaza --path .").exitCode, 0);
  EXPECT_EQ(Read("dbengine.cfg"),
            "; engine aliases\n[DATABASES\\other\\DB INFO]\nTYPE=STANDARD\nPATH=/srv\n\n"
            "[DATABASES\\vozaza\\DB INFO]\nTYPE=STANDARD\nPATH=.\nDEFAULT DRIVER=PARADOX\n\n"
            "[DATABASES\\last\\DB INFO]\nPATH=x\n");
  ASSERT_EQ(RunQuizpack("alias --config " + Path("new.cfg") + " --alias fresh --path data").exitCode, 0);
  EXPECT_EQ(Read("new.cfg"),
            "[DATABASES\\fresh\\DB INFO]\nTYPE=STANDARD\nPATH=data\nDEFAULT DRIVER=PARADOX\n");
  EXPECT_EQ(RunQuizpack("alias --config " + Path("new.cfg") + " --alias bad]name --path .").exitCode, 1);
}

TEST_F(QuizpackTool, ExportWritesSourcesThatBuildTheSameRows) {
  ASSERT_EQ(RunQuizpack("build --password pw --output " + Path("quiz.db") + " " + Path("tv.quiz") + " " +
                        Path("et.quiz"))
                .exitCode,
            0);
  const TRun exported = RunQuizpack("export " + Path("quiz.db") + " --password pw --output " + Path("out"));
  ASSERT_EQ(exported.exitCode, 0) << exported.output;
  EXPECT_NE(exported.output.find("classic-television-2.quiz: 2 questions of Classic Television 2"),
            std::string::npos)
      << exported.output;
  EXPECT_NE(Read("out/et1.quiz").find("question: ET01\nletter: A\ntext:\n  Q3\n"), std::string::npos)
      << Read("out/et1.quiz");
  const TRun rebuilt = RunQuizpack("build --strict --password pw --output " + Path("again.db") + " " +
                                   Path("out/classic-television-2.quiz") + " " + Path("out/et1.quiz"));
  ASSERT_EQ(rebuilt.exitCode, 0) << rebuilt.output;
  EXPECT_EQ(ReadTable(Path("again.db"), "pw").rows, ReadTable(Path("quiz.db"), "pw").rows);

  const TRun wrong = RunQuizpack("export " + Path("quiz.db") + " --password nope --output " + Path("out2"));
  EXPECT_EQ(wrong.exitCode, 1);
  EXPECT_FALSE(fs::exists(Path("out2")));
  EXPECT_EQ(RunQuizpack("export " + Path("quiz.db") + " --password pw").exitCode, 2) << "no --output";
}

}  // namespace
