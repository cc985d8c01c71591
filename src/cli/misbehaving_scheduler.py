#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A print scheduler for the tests of `qelmarin-cli print`: speaks just the IPP operations
print uses (CUPS-Get-Default, Get-Printer-Attributes, Create-Job, Send-Document,
Cancel-Job) over HTTP on a Unix socket, for one queue named "fake", and misbehaves as
told:

  misbehaving_scheduler.py SOCKET LOG MODE

MODE is one of
  ok               answers everything as a scheduler that prints
  create-silent    never answers Create-Job
  send-silent      never answers Send-Document
  send-trickle     answers Send-Document one byte a second
  send-refused     answers Send-Document with an error and the scheduler's words
  send-closed      closes the connection halfway through the document
  job-zero         answers Create-Job with success and job-id 0
  create-refused   answers Create-Job with an error and the scheduler's words
  garbage          answers the first request with bytes that are not HTTP
  garbage-ipp      answers the first request with HTTP whose body is not IPP
  header-closed    closes the connection in the middle of the first answer's header

Each operation it receives is appended to LOG as a line: its name and the job's number
(for Create-Job the number it gave, when it gave one).
"""
import socket
import socketserver
import struct
import sys
import threading
import time

SOCKET, LOG, MODE = sys.argv[1], sys.argv[2], sys.argv[3]
OPERATIONS = {0x4001: "get-default", 0x000B: "get-printer", 0x0005: "create-job",
              0x0006: "send-document", 0x0008: "cancel-job"}
log_lock = threading.Lock()
next_job = [0]
first_answer = [True]


def log(line):
    with log_lock, open(LOG, "a") as out:
        out.write(line + "\n")


def attribute(tag, name, value):
    return struct.pack(">BH", tag, len(name)) + name + struct.pack(">H", len(value)) + value


def answer(request_id, status, groups, message=b""):
    body = struct.pack(">HHI", 0x0200, status, request_id) + b"\x01"
    body += attribute(0x47, b"attributes-charset", b"utf-8")
    body += attribute(0x48, b"attributes-natural-language", b"en")
    if message:
        body += attribute(0x41, b"status-message", message)
    for tag, attributes in groups:
        body += bytes([tag]) + b"".join(attributes)
    return body + b"\x03"


def parse(body):
    """The operation, request id, the job-id attribute and where the document begins."""
    operation, request_id = struct.unpack(">HI", body[2:8])
    at, job = 8, 0
    while body[at] != 0x03:
        if body[at] < 0x10:
            at += 1
            continue
        tag, length = struct.unpack(">BH", body[at:at + 3])
        name = body[at + 3:at + 3 + length]
        at += 3 + length
        (length,) = struct.unpack(">H", body[at:at + 2])
        if name == b"job-id":
            (job,) = struct.unpack(">i", body[at + 2:at + 6])
        at += 2 + length
    return operation, request_id, job, at + 1


class Handler(socketserver.StreamRequestHandler):
    def send(self, data):
        self.wfile.write(data)
        self.wfile.flush()

    def reply(self, body, trickle=False):
        head = b"HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: %d\r\n\r\n" % len(body)
        if not trickle:
            self.send(head + body)
            return
        for byte in head + body:
            self.send(bytes([byte]))
            time.sleep(1)

    def read_request(self):
        line = self.rfile.readline()
        if not line:
            return None
        headers = {}
        while True:
            header = self.rfile.readline().decode("latin-1").strip()
            if not header:
                break
            key, _, value = header.partition(":")
            headers[key.strip().lower()] = value.strip()
        if self.misbehave_now("send-closed") and "content-length" in headers:
            length = int(headers["content-length"])
            if length > 4096:  # the document: half of it read, then the connection closed
                self.rfile.read(length // 2)
                return "closed"
        if "content-length" in headers:
            return self.rfile.read(int(headers["content-length"]))
        body = b""
        while True:
            size = int(self.rfile.readline().strip() or b"0", 16)
            if size == 0:
                self.rfile.readline()
                return body
            body += self.rfile.read(size)
            self.rfile.readline()

    def misbehave_now(self, mode):
        return MODE == mode

    def handle(self):
        while True:
            body = self.read_request()
            if body is None:
                return
            if body == "closed":
                log("send-document closed")
                return
            operation, request_id, job, data = parse(body)
            name = OPERATIONS.get(operation, "operation-%04x" % operation)
            if operation == 0x0006:
                log("%s %d %d" % (name, job, len(body) - data))
            elif operation == 0x0008:
                log("%s %d" % (name, job))
            elif operation != 0x0005:
                log(name)
            first, first_answer[0] = first_answer[0], False
            if first and MODE == "garbage":
                self.send(b"\x7fELF this is not a scheduler\r\n\x00\xff\r\n")
                return
            if first and MODE == "garbage-ipp":
                self.send(b"HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: 12\r\n\r\n"
                          b"\x7f\x7fnot ipp!!!")
                return
            if first and MODE == "header-closed":
                self.send(b"HTTP/1.1 200 OK\r\nContent-Ty")
                return
            ok = []
            if operation in (0x4001, 0x000B):
                printer = [attribute(0x42, b"printer-name", b"fake"),
                           attribute(0x23, b"printer-type", struct.pack(">i", 0x0004)),
                           attribute(0x32, b"printer-resolution-default", struct.pack(">iib", 300, 300, 3))]
                self.reply(answer(request_id, 0, [(0x04, printer)]))
            elif operation == 0x0005:
                if MODE == "create-silent":
                    log(name)
                    time.sleep(3600)
                if MODE == "create-refused":
                    log(name)
                    self.reply(answer(request_id, 0x0404, [], b"the queue is stopped"))
                    continue
                with log_lock:
                    next_job[0] += 1
                    number = 0 if MODE == "job-zero" else next_job[0]
                log("%s %d" % (name, number))
                self.reply(answer(request_id, 0, [(0x02, [attribute(0x21, b"job-id", struct.pack(">i", number))])]))
            elif operation == 0x0006:
                if MODE == "send-silent":
                    time.sleep(3600)
                if MODE == "send-refused":
                    self.reply(answer(request_id, 0x040A, [], b"no such format here"))
                    continue
                self.reply(answer(request_id, 0, ok), trickle=MODE == "send-trickle")
            else:
                self.reply(answer(request_id, 0, ok))


class Server(socketserver.ThreadingMixIn, socketserver.UnixStreamServer):
    daemon_threads = True


Server(SOCKET, Handler).serve_forever()
