#!/usr/bin/env python3
"""gm900ctl's manual page and bash completion as the package carries them, and what they are
checked against: the commands, options and exit statuses that gm900ctl's own help prints.

  gm900ctl_docs.py man GM900CTL CONFIG.bin SOURCE VERSION DATE    the page, on stdout
  gm900ctl_docs.py completion GM900CTL CONFIG.bin SOURCE          the completion, on stdout

The page keeps each block between '.\\" draft: KEY' and '.\\" end draft' only when the given
gm900ctl has KEY (see Help.has); the completion gets the setting names of `show --json`.
"""
import json
import re
import subprocess
import sys

LITERAL = re.compile(r"^[a-z][a-z0-9-]*(\|[a-z][a-z0-9-]*)*$")
OPTION = re.compile(r"--[a-z][a-z0-9-]*")
DRAFT = re.compile(r'^\.\\" draft: (.+?)\s*$')
DRAFT_END = re.compile(r'^\.\\" end draft\s*$')


class Usage:
    """One usage line: its literal words (alternatives split), options and operands."""

    def __init__(self, line):
        self.line = line
        self.words = []  # each a list of alternatives: [["macro"], ["list", "show"]]
        self.options = []
        self.operands = []
        for token in line.split():
            bare = token.strip("[]")
            if bare.startswith("-"):
                self.options.append(bare)
            elif bare == "...":
                continue
            elif not self.operands and not self.options and LITERAL.match(bare):
                self.words.append(bare.split("|"))
            elif LITERAL.match(bare):
                break  # the summary, after a usage that left a single blank before it
            else:
                self.operands.append(bare)

    @property
    def command(self):
        return self.words[0][0] if self.words else self.options[0]

    def spellings(self):
        """Every way of writing the literal words: "macro list", "macro show", ..."""
        if not self.words:
            return [self.options[0]]
        result = [[]]
        for alternatives in self.words:
            result = [prefix + [word] for prefix in result for word in alternatives]
        return [" ".join(words) for words in result]


def usage_lines(help_text):
    """The usage lines of the commands section, without indent and summary."""
    lines, inside = [], False
    for line in help_text.splitlines():
        if line.startswith("commands:"):
            inside = True
        elif inside and not line.strip():
            break
        elif inside and re.match(r"^  \S", line):
            lines.append(re.split(r"\s{2,}", line.strip())[0])
    return lines


def section(help_text, title):
    """The lines of a section such as "options:" up to the next blank line."""
    lines, inside = [], False
    for line in help_text.splitlines():
        if line.startswith(title):
            inside = True
            lines.append(line[len(title):])
        elif inside and not line.strip():
            break
        elif inside:
            lines.append(line)
    return lines


class Help:
    """What a gm900ctl binary says about itself."""

    def __init__(self, binary, factory_config):
        self.binary = binary
        self.factory_config = factory_config
        self.text = self.run(["--help"])[1]
        self.usages = [Usage(line) for line in usage_lines(self.text)]
        self._command_help = {}

    def run(self, args, stdin=None):
        done = subprocess.run([self.binary] + args, stdin=stdin, capture_output=True, text=True)
        return done.returncode, done.stdout.replace("\r", "")

    def commands(self):
        return sorted({usage.command for usage in self.usages})

    def global_options(self):
        return [m.group(0) for line in section(self.text, "options:")
                for m in [re.match(r"^\s*(--[a-z][a-z0-9-]*)", line)] if m]

    def exit_statuses(self):
        text = " ".join(section(self.text, "exit status:"))
        return sorted(set(re.findall(r"\b(\d+)\b", text)))

    def command_help(self, command):
        """The help of one command (help COMMAND or COMMAND --help), when it has one."""
        if command not in self._command_help:
            found = None
            for args in (["help", *command.split()], [*command.split(), "--help"]):
                status, text = self.run(args)
                # Not the general help, which an older gm900ctl prints for "help COMMAND".
                if status == 0 and text.strip() and "\ncommands:" not in "\n" + text:
                    found = text
                    break
            self._command_help[command] = found
        return self._command_help[command]

    def options_of(self, words):
        """The options the usage lines of a command ("show", "macro add") and its help name."""
        found = []
        for usage in self.usages:
            if words in usage.spellings() or words == usage.command:
                found += usage.options
        text = self.command_help(words) or ""
        if " " in words:  # a subcommand: the lines of its command's help that name it
            text = "\n".join(line for line in text.splitlines() if words in line)
        found += OPTION.findall(text)
        return sorted(set(found))

    def has(self, key):
        """Whether this gm900ctl has a drafted feature: "get", "macro list", "info --json",
        "help COMMAND" (a help of its own per command), "stdin" ("-" read as a file)."""
        if key == "help COMMAND":
            return bool(self.usages) and self.command_help(self.usages[0].command) is not None
        if key == "stdin":
            with open(self.factory_config, "rb") as data:
                status, out = self.run(["show", "-"], stdin=data)
            return status == 0 and bool(out.strip())
        words = key.split()
        if words[-1].startswith("--"):
            return words[-1] in self.options_of(" ".join(words[:-1]))
        return any(spelling == key for usage in self.usages for spelling in usage.spellings())

    def setting_names(self):
        """The dotted paths of the values `show --json` gives for the factory file."""
        status, out = self.run(["show", "--json", self.factory_config])
        if status != 0:
            raise SystemExit(f"{self.binary} show --json {self.factory_config} failed")
        names = []

        def walk(node, path):
            if isinstance(node, dict) and node:
                for key, value in node.items():
                    walk(value, path + [key])
            elif path and not isinstance(node, dict):
                names.append(".".join(path))

        walk(json.loads(out), [])
        return names


def drafts(source):
    """(key, first line, last line) of each draft block; raises on a block left open."""
    blocks, start, key = [], None, None
    for number, line in enumerate(source.splitlines()):
        if DRAFT.match(line):
            if start is not None:
                raise SystemExit(f"line {number + 1}: a draft inside the draft '{key}'")
            start, key = number, DRAFT.match(line).group(1)
        elif DRAFT_END.match(line):
            if start is None:
                raise SystemExit(f"line {number + 1}: 'end draft' without a draft")
            blocks.append((key, start, number))
            start = None
    if start is not None:
        raise SystemExit(f"the draft '{key}' has no end")
    return blocks


def manual_page(source, help_, version, date):
    lines = source.splitlines()
    dropped = set()
    for key, first, last in drafts(source):
        if not help_.has(key):
            dropped.update(range(first, last + 1))
    kept = [line for number, line in enumerate(lines) if number not in dropped]
    text = "\n".join(kept) + "\n"
    return text.replace("@VERSION@", version).replace("@DATE@", date)


def completion(source, help_):
    return source.replace("@SETTING_NAMES@", " ".join(help_.setting_names()))


def main(argv):
    if len(argv) == 6 and argv[0] == "man":
        help_ = Help(argv[1], argv[2])
        with open(argv[3], encoding="utf-8") as page:
            sys.stdout.write(manual_page(page.read(), help_, argv[4], argv[5]))
        return 0
    if len(argv) == 4 and argv[0] == "completion":
        help_ = Help(argv[1], argv[2])
        with open(argv[3], encoding="utf-8") as script:
            sys.stdout.write(completion(script.read(), help_))
        return 0
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
