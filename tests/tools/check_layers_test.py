#!/usr/bin/env python3
"""The layer check on small trees written for each case, in a temporary folder."""

import importlib.util
import os
import sys
import tempfile
import unittest

# Loading the script must leave no compiled copy beside it in the source tree.
sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
SCRIPT = os.path.join(HERE, "..", "..", "scripts", "check-layers.py")
spec = importlib.util.spec_from_file_location("check_layers", SCRIPT)
check_layers = importlib.util.module_from_spec(spec)
spec.loader.exec_module(check_layers)

# A tree that keeps every rule: each layer includes one below it, the engine only itself.
CLEAN = {
    "core/object.h": "#pragma once\n#include <string>\n",
    "platform/library.h": '#include "core/object.h"\n',
    "platform/help/help_viewer.cpp": "#include <QWidget>\n",
    "gui/qt/qt_convert.cpp": '#include <QColor>\n#include "core/object.h"\n',
    "gui/forms/form.h": '#include <QtWidgets/QWidget>\n#include "platform/library.h"\n',
    "data/dataset.h": '#include "core/object.h"\n#include "dbengine.h"\n',
    "data/navigator/navigator.h": '#include "gui/forms/form.h"\n#include "data/dataset.h"\n',
    "widgets/progress_bar.h": '#include "gui/forms/form.h"\n',
    "richtext/rtf/rtf_document.h": '#include "core/object.h"\n',
    "richtext/qt/rtf_qt.h": '#include "rtf_document.h"\n#include <QTextDocument>\n',
    "richtext/controls/db_rich_edit.h": '#include "data/navigator/navigator.h"\n#include "rtf_qt.h"\n',
    "app/main_form.h": '#include "richtext/controls/db_rich_edit.h"\n#include "widgets/progress_bar.h"\n',
    "tools/render/main.cpp": '#include "richtext/controls/db_rich_edit.h"\n#include "generated_resources.h"\n',
    "engine/include/dbengine.h": "#include <cstdint>\n",
    "engine/src/cursor.cpp": '#include "dbengine.h"\n#include "status.h"\n#include <sqlite3.h>\n',
    "engine/src/status.h": "#pragma once\n",
    "tests/app/main_form_test.cpp": '#include "app/main_form.h"\n#include "engine/src/status.h"\n#include <QTest>\n',
    "bench/app/bench.cpp": '#include "tools/render/main.cpp"\n',
}


class LayerCheck(unittest.TestCase):
    def problems(self, extra):
        with tempfile.TemporaryDirectory() as root:
            for path, text in {**CLEAN, **extra}.items():
                os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
                with open(os.path.join(root, path), "w") as f:
                    f.write(text)
            # A build folder inside the tree is no part of it.
            os.makedirs(os.path.join(root, "build", "core"))
            with open(os.path.join(root, "build", "core", "x.cpp"), "w") as f:
                f.write('#include "app/main_form.h"\n')
            return check_layers.check(root)

    def assertOneProblem(self, extra, *words):
        problems = self.problems(extra)
        self.assertEqual(len(problems), 1, problems)
        for w in words:
            self.assertIn(w, problems[0])

    def test_a_tree_that_keeps_the_rules_passes(self):
        self.assertEqual(self.problems({}), [])

    def test_a_lower_layer_including_a_higher_one_fails_with_file_and_line(self):
        self.assertOneProblem({"core/component.cpp": '#include <vector>\n\n#include "data/dataset.h"\n'},
                              "core/component.cpp:3:", "data/dataset.h", "core/ is below data/")
        self.assertOneProblem({"gui/menus.cpp": '#include "data/navigator/navigator.h"\n'}, "gui/ is below data/")
        self.assertOneProblem({"data/links.cpp": '#include "richtext/rtf/rtf_document.h"\n'}, "data/ is below")
        # An include written relative to the file's own folder is found as well.
        self.assertOneProblem({"platform/registry.cpp": '#include "../widgets/progress_bar.h"\n'},
                              "widgets/progress_bar.h")

    def test_the_game_and_the_tools_do_not_include_each_other(self):
        self.assertOneProblem({"tools/render/registrations.cpp": '#include "app/main_form.h"\n'},
                              "side by side")
        self.assertOneProblem({"app/main.cpp": '#include "tools/render/main.cpp"\n'}, "side by side")

    def test_the_engine_stands_alone_and_shows_only_its_interface(self):
        self.assertOneProblem({"engine/src/config.cpp": '#include "core/object.h"\n'}, "stands alone")
        self.assertOneProblem({"data/engine/query.cpp": '#include "engine/src/status.h"\n'},
                              "only engine/include/")
        self.assertEqual(self.problems({"data/engine/query.cpp": '#include "engine/include/dbengine.h"\n'}), [])

    def test_no_layer_includes_the_tests_or_the_benchmarks(self):
        self.assertOneProblem({"gui/form.cpp": '#include "tests/app/main_form_test.cpp"\n'}, "from tests/")

    def test_qt_headers_only_in_the_qt_layers(self):
        self.assertOneProblem({"app/main.cpp": "#include <QApplication>\n"}, "<QApplication>", "app/main.cpp:1:")
        self.assertOneProblem({"widgets/bar.cpp": "#include <QtGui/QPainter>\n"}, "<QtGui/QPainter>")
        # Headers that merely start with a Q-like letter are no Qt headers.
        self.assertEqual(self.problems({"core/q.cpp": "#include <queue>\n"}), [])

    def test_the_qt_free_parts_reach_no_qt_even_through_their_includes(self):
        problems = self.problems({"data/fields/field.cpp": '#include "data/navigator/navigator.h"\n'})
        self.assertEqual(len(problems), 1, problems)
        self.assertIn("data/fields/field.cpp: reaches Qt through data/navigator/navigator.h -> "
                      "gui/forms/form.h -> <QtWidgets/QWidget>", problems[0])
        # The codec may not reach the Qt bridge of its own layer either.
        problems = self.problems({"richtext/rtf/rtf_reader.cpp": '#include "rtf_qt.h"\n'})
        self.assertEqual(len(problems), 1, problems)
        self.assertIn("richtext/rtf/rtf_reader.cpp: reaches Qt", problems[0])


if __name__ == "__main__":
    unittest.main(verbosity=2)
