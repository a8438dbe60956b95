#!/usr/bin/python3
"""Helpers of tests/cli/run-all.

records DIR COUNT            write COUNT configuration files of random bytes (the same ones on
                             every run) as DIR/random-N.bin
schema SCHEMA JSON...        validate each document against the JSON Schema; a document the
                             schema must refuse is checked too, so that it cannot pass vacuously
readme README DIST CTL...    run every "$ gm900ctl ..." example of README's gm900ctl section in
                             a copy of DIST with CTL standing for gm900ctl; where the example
                             shows its output in full (no "..."), the output must be that
"""
import json
import os
import random
import shutil
import subprocess
import sys
import tempfile


def records(folder, count):
    generator = random.Random(2855)
    for n in range(int(count)):
        data = bytearray(generator.randrange(256) for _ in range(2855))
        if n % 2 == 0:
            # Half of them with categories in range, so that every function's text appears.
            for button in range(19):
                data[1 + 61 + button] = generator.randrange(16)
        with open(os.path.join(folder, "random-%d.bin" % n), "wb") as out:
            out.write(data)


def schema(schema_file, documents):
    import jsonschema

    with open(schema_file, encoding="utf-8") as source:
        rules = json.load(source)
    jsonschema.Draft202012Validator.check_schema(rules)
    validator = jsonschema.Draft202012Validator(rules)
    failed = 0
    for name in documents:
        with open(name, encoding="utf-8") as source:
            document = json.load(source)
        errors = list(validator.iter_errors(document))
        for error in errors[:3]:
            print("FAIL schema: %s: %s: %s" % (name, "/".join(map(str, error.path)), error.message))
        failed += bool(errors)
        wrong = json.loads(json.dumps(document))
        wrong.setdefault("dpi", {}).setdefault("stage1", {})["dpi"] = 1650
        if validator.is_valid(wrong):
            print("FAIL schema: %s: a DPI of 1650 passes" % name)
            failed += 1
    return failed == 0


def examples(readme):
    """(command, expected output lines or None) of the gm900ctl section's code blocks."""
    with open(readme, encoding="utf-8") as source:
        lines = source.read().split("\n")
    start = next(i for i, line in enumerate(lines) if line.startswith("## gm900ctl"))
    end = next((i for i in range(start + 1, len(lines)) if lines[i].startswith("## ")), len(lines))
    found, block, current = [], False, None
    for line in lines[start:end]:
        if line.startswith("```"):
            block = not block
            current = None
            continue
        if not block:
            continue
        if line.startswith("$ "):
            current = [line[2:].split("  #")[0].rstrip(), []]
            found.append(current)
        elif current is not None:
            current[1].append(line)
    return [(command, None if any("..." in l for l in output) else output)
            for command, output in found]


def readme(readme_file, dist, ctl):
    failed = 0
    work = tempfile.mkdtemp()
    try:
        folder = os.path.join(work, "QL-GM900")
        shutil.copytree(dist, folder)
        function = "gm900ctl() { %s \"$@\"; }\n" % " ".join("'%s'" % part for part in ctl)
        for command, expected in examples(readme_file):
            # Messages on standard error are part of what an example shows.
            run = subprocess.run(["bash", "-c", function + command],
                                 cwd=folder, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                 text=True)
            output = run.stdout.replace("\r", "").rstrip("\n").split("\n")
            if run.returncode != 0:
                print("FAIL readme: %s: exit status %d: %s" %
                      (command, run.returncode, run.stdout.strip()[:200]))
                failed += 1
            elif expected is not None and output != [l for l in expected if l] and expected:
                print("FAIL readme: %s: printed %r" % (command, output[:6]))
                failed += 1
    finally:
        shutil.rmtree(work)
    return failed == 0


def main(arguments):
    if arguments[0] == "records":
        records(arguments[1], arguments[2])
        return 0
    if arguments[0] == "schema":
        return 0 if schema(arguments[1], arguments[2:]) else 1
    if arguments[0] == "readme":
        return 0 if readme(arguments[1], arguments[2], arguments[3:]) else 1
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
