#!/usr/bin/python3
"""A test SMTP server on 127.0.0.1, built on Debian's python3-aiosmtpd. It stores every message
it accepts as DIR/<port>/<n>.eml and misbehaves on request.

  smtp_server.py serve --dir DIR [--fault FAULT] [--port-file FILE]
      one server on a free port (written to FILE), until killed
  smtp_server.py control --dir DIR
      a control port for tests (written to DIR/control-port). Each request is one line; each
      answer ends with a line "ok ..." or "error ...":
        serve FAULT        starts a server on a free port         -> ok PORT
        count PORT         messages that server has accepted      -> ok N
        check PORT N       what Python's email package reads in message N (mail_check.py's
                           lines, after "envelope-from ADDRESS" and one "envelope-to ADDRESS"
                           per recipient)                         -> ... ok
        stop PORT          ends that server                       -> ok

Faults: none; refuse (a free port nobody listens on); COMMAND-CODE, a refusal with that reply
code at ehlo, helo, mail, rcpt, data (the DATA command) or end (after the message);
stall-greeting, stall-mail, stall-end (the server stops answering there); stall-transfer (the server
stops reading the message after its reply to DATA); drop-transfer (the connection is closed right
after the reply to DATA, while the message is being sent). A fault after "once-" (once-rcpt-450)
hits the first connection only; the server behaves on every later one, as a retry meets it
(refuse and stall-greeting have no such form).
"""
import argparse
import asyncio
import os
import pathlib
import socket
import sys

from aiosmtpd.smtp import SMTP

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import mail_check  # noqa: E402

REFUSABLE = ('ehlo', 'helo', 'mail', 'rcpt', 'data', 'end')


def parse_fault(fault):
    fault = fault.removeprefix('once-')
    if fault in ('none', 'refuse', 'drop-transfer') or fault in (f'stall-{p}' for p in ('greeting', 'mail', 'transfer', 'end')):
        return fault, None
    command, _, code = fault.partition('-')
    if command in REFUSABLE and code.isdigit() and 400 <= int(code) <= 599:
        return command, int(code)
    raise ValueError(f'unknown fault {fault!r}')


def refusal(code, command):
    status = '4.3.0' if code < 500 else '5.7.1'
    return f'{code} {status} Refused by the test server ({command.upper()})'


async def forever():
    await asyncio.Event().wait()


class Store:
    """The messages one server accepted, in memory and as files."""

    def __init__(self, folder):
        self.folder = folder
        self.messages = []  # (mail_from, rcpt_tos, content)

    def add(self, envelope):
        self.folder.mkdir(parents=True, exist_ok=True)
        (self.folder / f'{len(self.messages)}.eml').write_bytes(envelope.original_content)
        self.messages.append((envelope.mail_from, list(envelope.rcpt_tos), envelope.original_content))


class Handler:
    def __init__(self, store, fault):
        self.store, (self.fault, self.code) = store, parse_fault(fault)
        self.once = fault.startswith('once-')
        self.connections = 0

    def connected(self):
        """Whether the connection that has just come is to meet the fault."""
        self.connections += 1
        return not self.once or self.connections == 1

    async def handle_DATA(self, server, session, envelope):
        fault = self.fault if server.faulty else 'none'
        if fault == 'stall-end':
            await forever()
        if fault == 'end':
            return refusal(self.code, 'end of data')
        self.store.add(envelope)
        return '250 2.0.0 Ok: stored'


class FaultySMTP(SMTP):
    """aiosmtpd's server with a refusal or a stall at one command."""

    def __init__(self, handler, **kwargs):
        super().__init__(handler, **kwargs)
        self.faulty = handler.connected()

    async def misbehave(self, command):
        handler = self.event_handler
        if not self.faulty:
            return False
        if handler.fault == 'stall-' + command:
            await forever()
        if handler.fault == command:
            await self.push(refusal(handler.code, command))
            return True
        return False

    async def smtp_EHLO(self, arg):
        if not await self.misbehave('ehlo'):
            await super().smtp_EHLO(arg)

    async def smtp_HELO(self, arg):
        if not await self.misbehave('helo'):
            await super().smtp_HELO(arg)

    async def smtp_MAIL(self, arg):
        if not await self.misbehave('mail'):
            await super().smtp_MAIL(arg)

    async def smtp_RCPT(self, arg):
        if not await self.misbehave('rcpt'):
            await super().smtp_RCPT(arg)

    async def smtp_DATA(self, arg):
        if await self.misbehave('data'):
            return
        fault = self.event_handler.fault if self.faulty else 'none'
        if fault in ('drop-transfer', 'stall-transfer') and self.envelope.rcpt_tos:
            await self.push('354 End data with <CR><LF>.<CR><LF>')
            if fault == 'stall-transfer':
                await forever()  # nothing more is read: the client's sending stalls
            self.transport.close()
            return
        await super().smtp_DATA(arg)


def free_port():
    with socket.socket() as s:
        s.bind(('127.0.0.1', 0))
        return s.getsockname()[1]


class Servers:
    def __init__(self, folder):
        self.folder = folder
        self.running = {}  # port -> (asyncio server or None, Store)

    async def serve(self, fault):
        handler_fault = parse_fault(fault)[0]
        if handler_fault == 'refuse':
            port = free_port()
            self.running[port] = (None, Store(self.folder / str(port)))
            return port
        if handler_fault == 'stall-greeting':
            async def silent(reader, writer):
                await reader.read()  # never answers; ends when the client goes
                writer.close()
            server = await asyncio.start_server(silent, '127.0.0.1', 0)
            store = Store(self.folder)
        else:
            store = Store(self.folder)
            handler = Handler(store, fault)
            server = await asyncio.get_running_loop().create_server(
                lambda: FaultySMTP(handler, hostname='peer.test', ident='rowtender test peer'), '127.0.0.1', 0)
        port = server.sockets[0].getsockname()[1]
        store.folder = self.folder / str(port)
        self.running[port] = (server, store)
        return port

    def store(self, port):
        return self.running[port][1]

    async def stop(self, port):
        server, _ = self.running.pop(port)
        if server is not None:
            server.close()

    def check(self, port, index):
        mail_from, rcpt_tos, content = self.store(port).messages[index]
        return [f'envelope-from {mail_from}'] + [f'envelope-to {r}' for r in rcpt_tos] + mail_check.describe(content)


async def control(folder, lifetime):
    servers = Servers(folder)

    async def session(reader, writer):
        while line := (await reader.readline()).decode().strip():
            command, *args = line.split()
            try:
                if command == 'serve':
                    answer = [f'ok {await servers.serve(args[0] if args else "none")}']
                elif command == 'count':
                    answer = [f'ok {len(servers.store(int(args[0])).messages)}']
                elif command == 'check':
                    answer = servers.check(int(args[0]), int(args[1])) + ['ok']
                elif command == 'stop':
                    await servers.stop(int(args[0]))
                    answer = ['ok']
                else:
                    answer = [f'error unknown request {command}']
            except (ValueError, KeyError, IndexError) as error:
                answer = [f'error {type(error).__name__} {error}']
            writer.write(('\n'.join(answer) + '\n').encode())
            await writer.drain()
        writer.close()

    server = await asyncio.start_server(session, '127.0.0.1', 0)
    port_file = folder / 'control-port'
    port_file.with_suffix('.tmp').write_text(str(server.sockets[0].getsockname()[1]))
    port_file.with_suffix('.tmp').rename(port_file)
    # A server whose test run died unnoticed ends by itself.
    await asyncio.sleep(lifetime)


async def serve_one(folder, fault, port_file):
    servers = Servers(folder)
    port = await servers.serve(fault)
    if port_file:
        pathlib.Path(port_file).write_text(str(port))
    print(port, flush=True)
    await forever()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('mode', choices=('serve', 'control'))
    parser.add_argument('--dir', required=True, type=pathlib.Path)
    parser.add_argument('--fault', default='none')
    parser.add_argument('--port-file')
    parser.add_argument('--lifetime', type=float, default=3600)
    args = parser.parse_args()
    args.dir.mkdir(parents=True, exist_ok=True)
    if args.mode == 'control':
        asyncio.run(control(args.dir, args.lifetime))
    else:
        asyncio.run(serve_one(args.dir, args.fault, args.port_file))


if __name__ == '__main__':
    main()
