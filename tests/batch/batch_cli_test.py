#!/usr/bin/env python3
"""tarvel-batch as a user meets it: bad input, exit statuses, the output file, interruptions.

    batch_cli_test.py BATCH

Each case runs the program on a small table and checks its exit status, its line on standard
error and its output. Standard library only.
"""

import os
import pty
import signal
import stat
import subprocess
import sys
import tempfile
import time

BATCH = sys.argv[1]
failures = []



def run(args, data=b"", **kw):
    return subprocess.run([BATCH, *args], input=data, capture_output=True, timeout=120, **kw)


def check(name, condition, detail=""):
    if not condition:
        failures.append("%s: %s" % (name, detail))


def expect(name, args, data, status, stderr_has="", output=None):
    done = run(args, data)
    err = done.stderr.decode("utf-8", "replace")
    check(name, done.returncode == status, "exit status %d, expected %d (%s)"
          % (done.returncode, status, err.strip()))
    check(name, stderr_has in err, "stderr %r lacks %r" % (err, stderr_has))
    check(name, err.count("\n") <= 1, "more than one line on stderr: %r" % err)
    if output is not None:
        check(name, done.stdout == output.encode("utf-8") if isinstance(output, str)
              else output(done.stdout), "output %r" % done.stdout[:300])
    return done


def usage_and_bad_tables(work):
    directory = os.path.join(work, "d")
    os.mkdir(directory)
    good = "pressure,dry_bulb,rel_humidity\n101.325,20,50\n".encode()
    for name, args in [("unknown option", ["--fast"]), ("missing file", ["nope.csv"]),
                       ("two inputs", ["a", "b"]), ("pressure not a number", ["--pressure", "1,5"]),
                       ("option without value", ["-o"]), ("repeated option", ["-o", "a", "-o", "b"]),
                       ("directory as input", [directory]), ("directory as output", ["-o", directory])]:
        expect(name, args, good, 2, "tarvel-batch: ")
    expect("help", ["--help"], b"", 0, output=lambda out: all(
        word in out.decode() for word in ["用法", "Usage", "GBK", "32 MiB", "NUL", "RFC 4180"]))

    gbk = "干球温度,相对湿度\n".encode("gbk")
    cases = [
        # (name, args, input, exit status, stderr has, output)
        ("GBK header", [], gbk, 2, "不是 UTF-8 编码（也许是 GBK）", ""),
        ("UTF-16", [], "\ufeff干球温度".encode("utf-16-le"), 2, "UTF-16", ""),
        ("NUL in header", [], b"dry_bulb\x00,x\n", 2, "NUL", ""),
        ("lone CR line breaks", [], b"pressure,dry_bulb\r101,20\r", 2, "CR", ""),
        ("no known name", [], b"a,b\n1,2\n", 2, "没有参数的列名", ""),
        ("data without header", [], b"101.325,20,50\n", 2, "没有参数的列名", ""),
        ("field twice", [], "pressure,dry_bulb, 干球温度\n".encode(), 2, "是同一个参数", ""),
        ("message column twice", [], "pressure,提示,Message\n".encode(), 2, "是同一个参数", ""),
        ("no pressure", [], b"dry_bulb,rel_humidity\n20,50\n", 2, "--pressure", ""),
        ("empty file", [], b"", 2, "输入是空的", ""),
        ("mark alone", [], b"\xef\xbb\xbf", 2, "输入是空的", ""),
        ("header alone", [], "当地大气压力,干球温度".encode(), 0, "已计算 0 行",
         "当地大气压力,干球温度,湿球温度,相对湿度,露点温度,含湿量,湿空气焓,提示\n"),
        ("other names repeat", [], "note,pressure,note\nA,101.325,B\n".encode(), 0, "",
         "note,pressure,note,dry_bulb,wet_bulb,rel_humidity,dew_point,moisture_content,"
         "enthalpy,message\nA,101.325,B,,,,,,,请输入两个以上空气参数\n"),
        ("short row and empty line", ["--pressure", "101.325"],
         "干球温度,相对湿度,备注\n20,50\n\n".encode(), 0, "其中 1 行有提示",
         "干球温度,相对湿度,备注,当地大气压力,湿球温度,露点温度,含湿量,湿空气焓,提示\n"
         "20,50,,101.325,13.9,9.28,7.26,38.52,\n,,,101.325,,,,,请输入两个以上空气参数\n"),
        ("kept and written cells interleaved, quoted ones kept as they stand, a short row",
         ["--pressure", "101.325"],
         '备注;干球温度;湿球温度;提示;相对湿度;当地大气压力\r\n"a;b";20;;old;50;101.325\r\n'
         '"x""y";20\r\n'.encode(), 0, "其中 1 行有提示",
         '备注;干球温度;湿球温度;提示;相对湿度;当地大气压力;露点温度;含湿量;湿空气焓\r\n'
         '"a;b";20;13.9;;50;101.325;9.28;7.26;38.52\r\n'
         '"x""y";20;;请输入两个以上空气参数;;101.325;;;\r\n'),
        ("pressure option fills empty cells", ["--pressure", "90"],
         b"pressure,dry_bulb,rel_humidity\n,20,50\n101.325,20,50\n", 0, "",
         "pressure,dry_bulb,rel_humidity,wet_bulb,dew_point,moisture_content,enthalpy,message\n"
         "90,20,50,13.61,9.27,8.19,40.88,\n101.325,20,50,13.9,9.28,7.26,38.52,\n"),
        ("long row", [], b"pressure,dry_bulb,rel_humidity\n101.325,20,50,x,y\n101.325,20,50\n",
         1, "1 行无法按 CSV 读取", "pressure,dry_bulb,rel_humidity,wet_bulb,dew_point,"
         "moisture_content,enthalpy,message\n101.325,20,50,,,,,第2行无法按 CSV 读取（有5个单元格，"
         "表头只有3列），原样保留，未计算,x,y\n101.325,20,50,13.9,9.28,7.26,38.52,\n"),
        ("text after a closing quote, line counted through a quoted line break", [],
         b'pressure,note,dry_bulb,rel_humidity\n101.325,"a\nb",20,50\n101.325,"12"5,20,50\n', 1,
         "", lambda out: "第4行无法按 CSV 读取（右引号后还有字符）".encode() in out
         and b'\n101.325,"12"5,20,50,' in out),
        ("unterminated quote at the end", [],
         b'pressure,dry_bulb,rel_humidity,note\n101.325,20,50,"open\n101.325,20,50\n', 1, "",
         lambda out: out.endswith('101.325,20,50,"open\n101.325,20,50\n",,,,,第2行无法按 CSV 读取'
                                  '（引号没有闭合，一直到文件末尾），原样保留，未计算\n'.encode())),
        ("data row not UTF-8", [], b"pressure,dry_bulb,rel_humidity,note\n"
         b"101.325,20,50,\xb1\xb8\xd7\xa2\n101.325,20,50,ok\n", 1, "",
         lambda out: out.split(b"\n")[1] == b"101.325,20,50,\xb1\xb8\xd7\xa2,,,,,"
         + "第2行无法按 CSV 读取（不是 UTF-8 文本），原样保留，未计算".encode()
         and out.split(b"\n")[2] == b"101.325,20,50,ok,13.9,9.28,7.26,38.52,"),
        ("NUL in a cell is a character", [], b"pressure,dry_bulb,rel_humidity\n101.325,2\x000,50\n",
         0, "", lambda out: out.endswith(b"\n101.325,2\x000,50,-1.28,-6.52,2.17,7.44,\n")),
        ("a line of 10^7 characters", [],
         b"pressure,dry_bulb,rel_humidity,note\n101.325,20,50," + b"x" * 10**7 + b"\n", 0, "",
         lambda out: out.endswith(b"x" * 10**7 + b",13.9,9.28,7.26,38.52,\n")),
        ("a row over 32 MiB", [],
         b'pressure,dry_bulb,rel_humidity,note\n101.325,20,50,"' + b"x" * (33 << 20), 2,
         "第2行起的一行超过 32 MiB（也许是引号没有闭合）", None),
    ]
    for name, args, data, status, stderr_has, output in cases:
        expect(name, args, data, status, stderr_has, output)
        if status == 2:  # a failed run leaves an existing output as it was
            target = os.path.join(work, "kept.csv")
            with open(target, "w") as f:
                f.write("old")
            expect(name + " with -o", ["-o", target], data, 2, "tarvel-batch: ")
            check(name + " with -o", open(target).read() == "old", "the output changed")


def formats_and_own_output(work):
    rows = [["pressure", "dry_bulb", "wet_bulb", "note"], ["101.325", "25", "20", 'a "b"'],
            ["101.325", "20", "22", "c"]]
    outputs = set()
    for separator, line_break, mark in [(",", "\n", ""), (";", "\r\n", ""), ("\t", "\n", "\ufeff")]:
        table = mark + "".join(separator.join('"a ""b"""' if c == 'a "b"' else c for c in row)
                               + line_break for row in rows)
        done = run([], table.encode())
        text = done.stdout.decode()
        check("format %r" % separator, text.startswith(mark) and text.count(line_break) == 3
              and text.count(separator) == 3 * 8, "output %r" % text)
        outputs.add(text.lstrip(mark).replace(separator, ",").replace(line_break, "\n"))
        # Run on its own output: the same columns, the message column rewritten, not added.
        again = run([], done.stdout)
        check("own output %r" % separator, again.stdout == done.stdout,
              "%r became %r" % (done.stdout, again.stdout))
    check("formats agree", len(outputs) == 1, "%r" % outputs)


def output_file(work):
    data = b"pressure,dry_bulb,rel_humidity\n101.325,20,50\n"
    target = os.path.join(work, "out", "answer.csv")
    os.mkdir(os.path.dirname(target))
    expect("-o new file", ["-o", target], data, 0)
    check("-o new file", open(target, "rb").read().endswith(b"\n101.325,20,50,13.9,9.28,7.26,"
                                                             b"38.52,\n"), "not written")
    os.chmod(target, 0o640)
    expect("-o existing file", ["-o", target], data.replace(b"20,50", b"25,60"), 0)
    check("-o keeps permissions", stat.S_IMODE(os.stat(target).st_mode) == 0o640, "mode changed")
    check("-o leaves no temporary file", os.listdir(os.path.dirname(target)) == ["answer.csv"],
          "%r" % os.listdir(os.path.dirname(target)))
    expect("in place", ["-o", target, target], b"", 0)
    expect("full disk", ["-o", "/dev/full"], data, 2, "磁盘已满")
    with open("/dev/full", "wb") as full:
        done = subprocess.run([BATCH], input=data, stdout=full, stderr=subprocess.PIPE)
    check("full standard output", done.returncode == 2 and "磁盘已满" in done.stderr.decode(),
          "exit %d %r" % (done.returncode, done.stderr))
    expect("-o missing directory", ["-o", os.path.join(work, "none", "x.csv")], data, 2,
           "无法在目录")


def interruptions(work):
    """A run stopped half-way leaves OUTPUT as it was (or absent) and no temporary file."""
    head = b"pressure,dry_bulb,rel_humidity\n" + b"101.325,20,50\n" * 50000
    for number, sig in enumerate([signal.SIGINT, signal.SIGTERM, signal.SIGKILL]):
        for existing in [False, True]:
            directory = os.path.join(work, "interrupt%d%d" % (number, existing))
            os.mkdir(directory)
            target = os.path.join(directory, "out.csv")
            if existing:
                with open(target, "w") as f:
                    f.write("before")
            process = subprocess.Popen([BATCH, "-o", target], stdin=subprocess.PIPE,
                                       stderr=subprocess.DEVNULL)
            process.stdin.write(head)  # and the input stays open: the run waits for more
            process.stdin.flush()
            time.sleep(0.3)
            process.send_signal(sig)
            process.wait(timeout=30)
            process.stdin.close()
            name = "%s, %s output" % (signal.Signals(sig).name, "existing" if existing else "no")
            check(name, process.returncode == -sig, "exit %d" % process.returncode)
            check(name, os.listdir(directory) == (["out.csv"] if existing else []),
                  "directory holds %r" % os.listdir(directory))
            if existing:
                check(name, open(target).read() == "before", "the output changed")


def progress():
    """On a terminal the progress is redrawn in place; on a pipe there is one summary line."""
    table = b"pressure,dry_bulb,rel_humidity\n" + b"101.325,20,50\n" * 20000
    controller, terminal = pty.openpty()
    with tempfile.TemporaryFile() as source, tempfile.TemporaryFile() as sink:
        source.write(table)
        source.seek(0)
        process = subprocess.Popen([BATCH], stdin=source, stdout=sink, stderr=terminal)
        os.close(terminal)
        shown = b""
        while True:
            try:
                chunk = os.read(controller, 4096)
            except OSError:
                break
            if not chunk:
                break
            shown += chunk
        process.wait(timeout=60)
    os.close(controller)
    text = shown.decode("utf-8", "replace")
    check("progress on a terminal", text.endswith("已计算 20000 行，其中 0 行有提示\r\n"),
          "shown %r" % text[-200:])


def readme_example():
    docs = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs")
    with open(os.path.join(docs, "batch-example.answer.csv"), "rb") as f:
        answer = f.read()
    expect("README example", ["--pressure", "101.325", os.path.join(docs, "batch-example.csv")],
           b"", 0, "已计算 6 行，其中 2 行有提示", lambda out: out == answer)


def main():
    readme_example()
    with tempfile.TemporaryDirectory() as work:
        usage_and_bad_tables(work)
        formats_and_own_output(work)
        output_file(work)
        interruptions(work)
    progress()
    for failure in failures:
        print("FAILED " + failure)
    print("%d failures" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
