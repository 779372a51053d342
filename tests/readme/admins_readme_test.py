#!/usr/bin/env python3
"""The kits' README-admins.txt: plain text that any editor shows as it is, from the README itself.

usage: admins_readme_test.py SOURCE_DIR
"""
import pathlib
import sys
import unittest

SOURCE = pathlib.Path(sys.argv.pop(1) if len(sys.argv) > 1 else ".").resolve()
sys.path.insert(0, str(SOURCE / "packaging"))
import admins_readme  # noqa: E402  (found only once the path above is set)


class plain_text_test(unittest.TestCase):
    def test_markdown_marks_become_plain_text(self):
        cases = [
            (["# For admins"], ["For admins", "=========="]),
            (["### The `status`"], ["The status", "~~~~~~~~~~"]),
            (["a `Quellwarden.reload` or `Loaded config` line"],
             ['a Quellwarden.reload or "Loaded config" line']),
            (['`"DisplayName": "Rex"` stays'], ['"DisplayName": "Rex" stays']),
            (["one followed by `applied the last", "good configuration` means"],
             ['one followed by "applied the last', 'good configuration" means']),
            (["**Restart the server.** Then"], ["Restart the server. Then"]),
            (["text", "```sh", "# a comment, `kept`", "", "```"],
             ["text", "    # a comment, `kept`", ""]),
        ]
        for markdown, plain in cases:
            with self.subTest(markdown=markdown):
                self.assertEqual(admins_readme.plain_text(markdown), plain)

    def test_an_unpaired_code_mark_is_refused(self):
        with self.assertRaisesRegex(admins_readme.KitError, "without its pair"):
            admins_readme.plain_text(["a `broken span"])


class kits_test(unittest.TestCase):
    def kit(self, name, line_end):
        return admins_readme.kit_text((SOURCE / "README.md").read_text(encoding="utf-8"),
                                      (SOURCE / "packaging" / name).read_text(encoding="utf-8"),
                                      "9.8.7", line_end)

    def test_each_kit_reads_as_plain_text_and_says_first_what_it_is_not(self):
        for name, line_end in [("admins-windows.md", "\r\n"), ("admins-linux.md", "\n")]:
            with self.subTest(kit=name):
                text = self.kit(name, line_end)
                lines = text.split(line_end)
                self.assertEqual(lines.pop(), "")
                self.assertFalse(any("\r" in line or "\n" in line for line in lines))
                self.assertIn("9.8.7", lines[0])
                self.assertIn("holds no plugin for a real server", lines[0])
                prose = [line for line in lines if not line.startswith("    ")]
                for mark in ["`", "**", "<!--"]:
                    self.assertEqual([line for line in prose if mark in line], [], mark)
                self.assertEqual([line for line in prose if line.startswith("#")], [])


if __name__ == "__main__":
    unittest.main()
