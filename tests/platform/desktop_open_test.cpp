// Links and files handed to the desktop: which links are opened at all, how they are encoded,
// and, on a real X display with a desktop handler that records what it was given, that a
// link arrives as one argument and nothing in it is ever run.

#include "platform/desktop/desktop_open.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <string>
#include <vector>

#include "url_catcher.h"
#include "xvfb.h"

namespace {

TEST(DesktopOpen, OnlyWebMailAndFileTransferLinksAreOpenable) {
  EXPECT_EQ(OpenableLink("http://example.org/quiz?a=1&b=2"), "http://example.org/quiz?a=1&b=2");
  EXPECT_EQ(OpenableLink("HTTPS://Example.org/"), "https://example.org/");
  EXPECT_EQ(OpenableLink("mailto:quiz@example.org"), "mailto:quiz@example.org");
  EXPECT_EQ(OpenableLink("ftp://ftp.example.org/pub"), "ftp://ftp.example.org/pub");
  EXPECT_EQ(OpenableLink("www.example.org/page"), "http://www.example.org/page");
  EXPECT_EQ(OpenableLink("  http://example.org  "), "http://example.org");
  for (const char* refused :
       {"file:///etc/passwd", "file://localhost/bin/sh", "/usr/bin/xterm", "javascript:alert(1)",
        "telnet://example.org", "news:comp.lang", "x-scheme-handler:run", "http:///no-host", "http://",
        "http://exa mple.org", "http://example.org/\x01", "", "example.org"}) {
    EXPECT_EQ(OpenableLink(refused), "") << refused;
  }
}

TEST(DesktopOpen, ShellMetacharactersLeaveTheProgramPercentEncoded) {
  EXPECT_EQ(OpenableLink("http://example.org/a$(touch /tmp/x);b|c"),
            "http://example.org/a%24%28touch%20/tmp/x%29%3Bb%7Cc");
  const std::string link = OpenableLink("http://example.org/a`d`'e'!*{f}\\g\"h<i>^");
  ASSERT_NE(link, "");
  for (const char c : std::string("$()`;|'!*{}\\\" <>^"))
    EXPECT_EQ(link.find(c), std::string::npos) << c << " in " << link;
}

TEST(DesktopOpen, RefusedLinksNeverReachAHandlerAndAllowedOnesReachItEncoded) {
  TUrlCatcher catcher({"http", "https", "mailto", "ftp", "file", "javascript"});
  EXPECT_FALSE(OpenLinkWithDesktop("file:///etc/passwd"));
  EXPECT_FALSE(OpenLinkWithDesktop("javascript:alert(1)"));
  EXPECT_TRUE(catcher.Opened.empty());
  EXPECT_TRUE(OpenLinkWithDesktop("http://example.org/$(reboot)"));
  EXPECT_TRUE(OpenLinkWithDesktop("mailto:quiz@example.org?subject=Hi!"));
  ASSERT_EQ(catcher.Opened.size(), 2u);
  EXPECT_EQ(catcher.Opened[0], "http://example.org/%24%28reboot%29");
  EXPECT_EQ(catcher.Opened[1], "mailto:quiz@example.org?subject=Hi%21");
}

TEST(DesktopOpen, AFileOfTheProgramsOwnGoesToTheHandlerOfFiles) {
  QTemporaryDir dir;
  const QString path = dir.filePath("notes.txt");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("x");
  file.close();
  TUrlCatcher catcher({"file"});
  EXPECT_FALSE(OpenFileWithDesktop(dir.filePath("missing.txt").toStdString()));
  EXPECT_TRUE(OpenFileWithDesktop(path.toStdString()));
  ASSERT_EQ(catcher.Opened.size(), 1u);
  EXPECT_EQ(catcher.Opened[0], QUrl::fromLocalFile(path).toEncoded().toStdString());
}

// The real thing: the probe program opens links on an X display through the desktop's own
// services, which start the handler found on the path. That handler only writes down its
// arguments, one per line.
TEST(DesktopOpen, OnARealDisplayTheHandlerGetsTheLinkAsOneArgumentAndNothingRuns) {
  TXvfb x;
  QTemporaryDir dir;
  const QString log = dir.filePath("handler.log");
  const QString marker = dir.filePath("ran");
  QFile handler(dir.filePath("xdg-open"));
  ASSERT_TRUE(handler.open(QIODevice::WriteOnly));
  handler.write(QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '%1'; done\n")
                    .arg(log)
                    .toUtf8());
  handler.close();
  handler.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

  QProcess probe;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("DISPLAY", QString::fromStdString(x.Display()));
  env.insert("QT_QPA_PLATFORM", "xcb");
  env.insert("PATH", dir.path() + ":" + env.value("PATH"));
  env.insert("BROWSER", "");
  probe.setProcessEnvironment(env);
  const QString evil = "http://example.org/$(touch " + marker + ")`touch " + marker + "`;touch " + marker;
  probe.start(DESKTOP_OPEN_PROBE, {evil, "file:///etc/passwd", "https://example.org/ok?a=1&b=2"});
  ASSERT_TRUE(probe.waitForFinished(30000));
  EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
  // The handler runs detached: wait for its two lines.
  QByteArray lines;
  for (int i = 0; i < 100; ++i) {
    QFile f(log);
    if (f.open(QIODevice::ReadOnly)) lines = f.readAll();
    if (lines.count('\n') >= 2) break;
    QThread::msleep(50);
  }
  const QList<QByteArray> got = lines.trimmed().split('\n');
  ASSERT_EQ(got.size(), 2) << lines.toStdString();
  EXPECT_TRUE(got[0].startsWith("http://example.org/%24%28touch%20")) << got[0].toStdString();
  EXPECT_EQ(got[1], "https://example.org/ok?a=1&b=2");
  EXPECT_FALSE(QFile::exists(marker)) << "something in the link was run";
}

}  // namespace
