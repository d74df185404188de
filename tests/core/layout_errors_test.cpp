#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "core/layout/layout_reader.h"
#include "test_components.h"

namespace {

// Reads Text into a fresh root and returns the error message (empty when it read fine).
std::string ErrorOf(const std::string& Text) {
  RegisterTestClasses();
  TTestRoot root(nullptr);
  try {
    TLayoutReader::ReadInto(root, Text, "bad.layout");
  } catch (const ELayoutError& e) {
    // Nothing may be left in the loading state after a failed read.
    for (int i = 0; i < root.ComponentCount(); ++i)
      EXPECT_FALSE(root.Components(i)->IsLoading());
    EXPECT_FALSE(root.IsLoading());
    return e.Message();
  }
  return "";
}

std::string Body(const std::string& Lines) {
  return "layout 1\nRoot (TTestRoot)\n  W (TTestWidget)\n" + Lines;
}

TEST(LayoutErrors, MessagesNameTheLayoutAndTheLine) {
  EXPECT_EQ(ErrorOf(Body("    Size: 1\n    Colour: clRed\n")),
            "bad.layout, line 5: unknown property 'Colour' of TTestWidget");
  EXPECT_EQ(ErrorOf(Body("  X (TNoSuchClass)\n")), "bad.layout, line 4: unknown class 'TNoSuchClass'");
  EXPECT_EQ(ErrorOf(Body("    Size: \"ten\"\n")),
            "bad.layout, line 4: property Size expects an integer, not a text");
  EXPECT_EQ(ErrorOf(Body("    Buddy: Nobody\n")), "bad.layout, line 4: unknown component 'Nobody'");
  EXPECT_EQ(ErrorOf(Body("    Caption: \"open\n")), "bad.layout, line 4: unterminated text");
  EXPECT_EQ(ErrorOf(Body("   Size: 1\n")),
            "bad.layout, line 4: indentation must be a multiple of two spaces");
}

TEST(LayoutErrors, EveryMalformedShapeIsAnError) {
  const std::vector<std::string> bad = {
      "",                                                                  // empty
      "Root (TTestRoot)\n",                                                // no header
      "layout 2\nRoot (TTestRoot)\n",                                      // unknown version
      "layout 1\n",                                                        // no component
      "layout 1\nRoot (TTestWidget)\n",                                    // wrong class for the root
      "layout 1\nRoot (TTestRoot)\nOther (TTestRoot)\n",                   // two tops
      "layout 1\n  Root (TTestRoot)\n",                                    // indented top
      Body("\tSize: 1\n"),                                                 // tab
      Body("    Size: 99999999999\n"),                                     // out of range for int
      Body("    Small: 300\n"),                                            // out of range for a byte
      Body("    Flag: maybe\n"),                                           // not a boolean
      Body("    Shade: shPurple\n"),                                       // not a member
      Body("    Shades: [shLight, 3]\n"),                                  // not an identifier in a set
      Body("    Color: clChartreuse\n"),                                   // unknown colour
      Body("    Items: [\"a\", 1]\n"),                                     // not a text in a string list
      Body("    Items: [\"a\"\n"),                                         // unterminated list
      Body("    Data: <0F0>\n"),                                           // odd hex digits
      Body("    Data: <0G>\n"),                                            // not hex
      Body("    Data: file(\"missing.png\")\n"),                           // no such resource
      Body("    Pen: 3\n"),                                                // object property set directly
      Body("    Pen.Depth: 3\n"),                                          // unknown nested property
      Body("    Size.Width: 3\n"),                                         // not an object
      Body("    OnPoke: NoSuchMethod\n"),                                  // unknown handler
      Body("    OnPoke: WrongShape\n"),                                    // handler of the wrong signature
      Body("    Caption: \"x\" trailing\n"),                               // junk after the value
      Body("    Caption \"x\"\n"),                                         // missing colon
      Body("    Caption: \"\\q\"\n"),                                      // unknown escape
      Body("  W (TTestWidget)\n"),                                         // duplicate name
      Body("  Bad-Name (TTestWidget)\n"),                                  // not an identifier
      Body("    Size: 1\n  Kid (TTestWidget)\n    Size: 2\n  Size: 3\n"),  // property after a child
      Body("      Size: 1\n"),                                             // too deep for a property
      Body("    Buddy: Root\n"),                                           // the root is not a widget
      "layout 1\nRoot (TTestRoot)\n  W (TComponent)\n",  // class without a factory? (TComponent can be made)
  };
  for (size_t i = 0; i + 1 < bad.size(); ++i) {
    EXPECT_NE(ErrorOf(bad[i]), "") << "case " << i << ":\n" << bad[i];
  }
}

TEST(LayoutErrors, BinaryGarbageNeverCrashes) {
  std::string noise;
  unsigned seed = 12345;
  for (int round = 0; round < 200; ++round) {
    noise = "layout 1\nRoot (TTestRoot)\n";
    for (int i = 0; i < 200; ++i) {
      seed = seed * 1103515245u + 12345u;
      noise += static_cast<char>((seed >> 16) & 0xFF);
    }
    ErrorOf(noise);  // any outcome but a crash is fine
  }
  SUCCEED();
}

}  // namespace
