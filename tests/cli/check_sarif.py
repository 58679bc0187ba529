#!/usr/bin/python3
"""Runs tarvel-check --format=sarif over scripts that give every kind of result and checks the
log against the SARIF 2.1.0 schema, then checks what the schema cannot know: that each result
points at the place in the file it names."""
import json
import os
import subprocess
import sys
import tempfile

import jsonschema

TOOL, SCHEMA = sys.argv[1], sys.argv[2]

SCRIPTS = {
    "good.c": b"int x;\r\nx = 1;\r\n",
    "externals.c": b"int x;\r\nx = speed + limit(2);\r\n",
    "run error.c": b"int x;\r\nx = y + f(2);\r\nx = 1 +;\r\n",
    "load.c": b"int x;\r\n  #foo\r\n",
    "sub/deeper/nested.c": b"int f(int a) {\r\n  return a +;\r\n}\r\nf(1);\r\n",
}

with tempfile.TemporaryDirectory() as work:
    for name, text in SCRIPTS.items():
        os.makedirs(os.path.join(work, os.path.dirname(name)), exist_ok=True)
        with open(os.path.join(work, name), "wb") as out:
            out.write(text)
    files = list(SCRIPTS) + ["missing.c", "-"]
    run = subprocess.run([TOOL, "--no-log", "--format=sarif"] + files, cwd=work, input=b"return q;",
                         capture_output=True, check=False)
    assert run.returncode == 2, run.returncode  # missing.c
    log = json.loads(run.stdout)
    with open(SCHEMA, encoding="utf-8") as schema_file:
        schema = json.load(schema_file)
    jsonschema.validators.validator_for(schema)(schema).validate(log)

    [tool_run] = log["runs"]
    driver = tool_run["tool"]["driver"]
    assert driver["name"] == "tarvel-check", driver
    version = subprocess.run([TOOL, "--version"], capture_output=True, text=True, check=True).stdout
    assert version == "tarvel-check %s\n" % driver["version"], (version, driver)
    rules = [rule["id"] for rule in driver["rules"]]
    assert tool_run["invocations"][0]["executionSuccessful"] is False

    def place(result):
        location = result["locations"][0]["physicalLocation"]
        region = location.get("region", {})
        uri = location["artifactLocation"].get("uri", "-")
        return uri, region.get("startLine"), region.get("startColumn")

    found = []
    for result in tool_run["results"]:
        assert rules[result["ruleIndex"]] == result["ruleId"], result
        found.append((result["level"], result["ruleId"], result["message"]["text"]) + place(result))

    expected = [
        ("note", "external-variable", "external variable 'speed'", "externals.c", 2, 5),
        ("note", "external-function", "external function 'limit'", "externals.c", 2, 13),
        ("error", "run-error", "No R-value for '+'", "run%20error.c", 3, 7),
        ("note", "external-variable", "external variable 'y'", "run%20error.c", 2, 5),
        ("note", "external-function", "external function 'f'", "run%20error.c", 2, 9),
        ("error", "load-error", "Invalid precompiler command: 'foo'", "load.c", 2, 3),
        ("error", "run-error", "No R-value for '+'", "sub/deeper/nested.c", 2, 12),
        ("note", "external-variable", "external variable 'q'", "-", 1, 8),
    ]
    assert found == expected, "\n".join(map(repr, found))

    # Each region must point at the text the message is about in the file itself.
    for level, rule, message, uri, line, column in found:
        if uri == "-":
            text = b"return q;"
        else:
            with open(os.path.join(work, uri.replace("%20", " ")), "rb") as script:
                text = script.read()
        at = text.split(b"\r\n")[line - 1][column - 1:]
        if rule.startswith("external"):
            assert at.startswith(message.split("'")[1].encode()), (uri, line, column, at)
        elif rule == "load-error":
            assert at.startswith(b"#foo"), (uri, at)
        else:
            assert at.startswith(b"+"), (uri, at)

    notification = tool_run["invocations"][0]["toolExecutionNotifications"]
    assert [n["locations"][0]["physicalLocation"]["artifactLocation"]["uri"] for n in notification] == ["missing.c"]
print("SARIF log valid against the 2.1.0 schema, %d results" % len(found))
