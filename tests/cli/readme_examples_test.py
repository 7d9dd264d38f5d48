#!/usr/bin/python3
"""The README's quillon-cli examples, and those of every command's --help, run
against the program: an example whose shown output is not what the program
writes fails, so that the README cannot drift from it.

The README's convention, for every section with examples (the tables, the
outline, and those to come):

    $ quillon-cli COMMAND ARGUMENTS [| other programs]
    the output, exactly as standard output has it

An indented line that starts with "$ quillon-cli" is an example; a line that
ends with a backslash goes on in the next. The indented lines after it, up to
the next "$ " line or the end of the block, are its standard output, compared
line by line (a command may cut it with `| head`). An example with no lines
after it must succeed; the files it writes go to a scratch folder. Each runs
in bash in that folder, with `quillon-cli` the program under test. A block
that cannot run here (it needs a file or takes minutes) is preceded by the
line `<!-- examples not checked: REASON -->`, before the block or before the
paragraph that leads into it; indented lines without the "$ " prompt (build
commands, for instance) are not examples.

Usage: readme_examples_test.py QUILLON_CLI README"""

import difflib
import os
import re
import subprocess
import sys
import tempfile

CLI, README = sys.argv[1], sys.argv[2]
SKIP = re.compile(r"<!-- examples not checked: .+ -->")


def readme_examples(text):
    """(line number, command, expected output lines) of each example."""
    examples, current, skipping, in_block = [], None, False, False
    lines = text.splitlines()
    i = 0
    while i < len(lines):
        line = lines[i]
        if not line.startswith("    "):
            if line.strip():
                # Prose ends a block, and with it what a marker said of it.
                current = None
                skipping = bool(SKIP.fullmatch(line.strip())) or (skipping and not in_block)
                in_block = False
            i += 1
            continue
        in_block = True
        body = line[4:]
        if body.startswith("$ "):
            command, number = body[2:], i + 1
            while command.endswith("\\") and i + 1 < len(lines):
                i += 1
                command = command[:-1] + " " + lines[i].strip()
            current = (number, command, []) if command.startswith("quillon-cli ") and not skipping else None
            if current:
                examples.append(current)
        elif current is not None:
            current[2].append(body)
        i += 1
    return examples


def run_in_bash(command, folder, binaries):
    environment = dict(os.environ, PATH=binaries + os.pathsep + os.environ.get("PATH", ""))
    return subprocess.run(["bash", "-c", command], cwd=folder, env=environment, capture_output=True, check=False,
                          timeout=120)


def help_examples():
    """The examples each command's --help ends with."""
    listed = run_help([CLI, "--help"]).split("\nSubcommands:\n")[1].split("\n\n")[0]
    commands = re.findall(r"^  (\w+) ", listed, re.M)
    assert commands, "no commands in quillon-cli --help"
    examples = []
    for command in commands:
        text = run_help([CLI, command, "--help"])
        examples += [(command, line.strip()) for line in text.split("\nExamples:\n")[-1].splitlines()]
    return examples


def run_help(arguments):
    return subprocess.run(arguments, capture_output=True, check=True).stdout.decode()


def main():
    failures = []
    with open(README, encoding="utf-8") as readme:
        examples = readme_examples(readme.read())
    # The README has this many at least; fewer means the convention was lost.
    if len(examples) < 6:
        failures.append(f"only {len(examples)} examples found in {README}")
    with tempfile.TemporaryDirectory() as binaries, tempfile.TemporaryDirectory() as folder:
        os.symlink(os.path.abspath(CLI), os.path.join(binaries, "quillon-cli"))
        for number, command, expected in examples:
            result = run_in_bash(command, folder, binaries)
            got = result.stdout.decode().splitlines()
            if result.returncode != 0:
                failures.append(f"README line {number}: `{command}` ended with {result.returncode}: "
                                f"{result.stderr.decode().strip()}")
            elif expected and got != expected:
                diff = "\n".join(difflib.unified_diff(expected, got, "README", "quillon-cli", lineterm=""))
                failures.append(f"README line {number}: `{command}` writes otherwise than shown:\n{diff}")
        for command, example in help_examples():
            result = run_in_bash(example, folder, binaries)
            if result.returncode != 0:
                failures.append(f"{command} --help: `{example}` ended with {result.returncode}: "
                                f"{result.stderr.decode().strip()}")
    for failure in failures:
        print("FAILED:", failure)
    print(f"{len(failures)} failed" if failures else f"{len(examples)} README examples as shown")
    return 1 if failures else 0


sys.exit(main())
