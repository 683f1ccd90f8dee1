#!/usr/bin/python3
"""A local SMTP server for the mail tests (aiosmtpd).

Listens on 127.0.0.1 on a free port, prints the port on the first line of stdout and
saves each delivered message as NNN.json (envelope plus the message parsed by Python's
email package) in the output folder. It stops when its stdin closes, so it never
outlives the test that started it.
"""
import argparse
import asyncio
import base64
import email
import email.policy
import json
import os
import ssl
import sys
import threading
import time

from aiosmtpd.smtp import SMTP, AuthResult


def parse_message(raw):
    msg = email.message_from_bytes(raw, policy=email.policy.default)
    body = None
    attachments = []
    for part in msg.walk():
        if part.is_multipart():
            continue
        if part.get_content_disposition() == "attachment":
            attachments.append({
                "filename": part.get_filename(),
                "content_type": part.get_content_type(),
                "encoding": str(part.get("Content-Transfer-Encoding", "")).lower(),
                "data": base64.b64encode(part.get_payload(decode=True) or b"").decode("ascii"),
            })
        elif body is None and part.get_content_type() == "text/plain":
            body = part.get_content()
    return {
        "subject": str(msg.get("Subject", "")),
        "raw_headers": raw.split(b"\r\n\r\n", 1)[0].decode("utf-8", "replace"),
        "from": str(msg.get("From", "")),
        "to": str(msg.get("To", "")),
        "date": str(msg.get("Date", "")),
        "message_id": str(msg.get("Message-ID", "")),
        "header_names": list(msg.keys()),
        "content_type": msg.get_content_type(),
        "body": body,
        "attachments": attachments,
        "defects": [str(d) for d in msg.defects],
    }


class Saver:
    def __init__(self, folder, hold=0, refuse_sender=(), refuse_rcpt=(), maildir=None,
                 refuse_sender_at_rcpt=()):
        self.folder = folder
        self.maildir = maildir
        self.count = 0
        self.hold = hold
        self.refuse_sender = {a.lower() for a in refuse_sender}
        self.refuse_rcpt = {a.lower() for a in refuse_rcpt}
        self.refuse_sender_at_rcpt = {a.lower() for a in refuse_sender_at_rcpt}

    async def handle_MAIL(self, server, session, envelope, address, mail_options):
        if address.lower() in self.refuse_sender:
            return "553 5.7.1 Sender address rejected: not owned by user"
        envelope.mail_from = address
        envelope.mail_options.extend(mail_options)
        return "250 OK"

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if (envelope.mail_from or "").lower() in self.refuse_sender_at_rcpt:
            # Postfix checks the sender only once it knows a recipient
            # (reject_sender_login_mismatch): MAIL FROM was accepted.
            return "553 5.7.1 <%s>: Sender address rejected: not owned by user" % envelope.mail_from
        if address.lower() in self.refuse_rcpt:
            return "550 5.1.1 <%s>: Recipient address rejected: User unknown" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        if self.hold:
            # A slow or stuck server: the whole message is in, the answer is not.
            open(os.path.join(self.folder, "holding"), "w").close()
            await asyncio.sleep(self.hold)
        self.count += 1
        record = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "authenticated": bool(getattr(session, "authenticated", False)),
            # STARTTLS sets session.ssl; implicit TLS shows on the transport.
            "tls": session.ssl is not None
            or server.transport.get_extra_info("sslcontext") is not None,
            "message": parse_message(envelope.original_content or envelope.content),
        }
        name = os.path.join(self.folder, "%03d.json" % self.count)
        with open(name + ".tmp", "w", encoding="utf-8") as f:
            json.dump(record, f)
        os.replace(name + ".tmp", name)
        if self.maildir:
            # Delivered as received, byte for byte, the way a local delivery agent does:
            # written into tmp/, then renamed into new/.
            unique = "%d.kolt%03d.%d" % (int(time.time()), self.count, os.getpid())
            tmp = os.path.join(self.maildir, "tmp", unique)
            with open(tmp, "wb") as f:
                f.write(envelope.original_content or envelope.content)
            os.chmod(tmp, 0o644)
            os.replace(tmp, os.path.join(self.maildir, "new", unique))
        return "250 Message accepted for delivery"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--dir", required=True)
    ap.add_argument("--mode", choices=["plain", "starttls", "tls"], default="plain")
    ap.add_argument("--cert")
    ap.add_argument("--key")
    ap.add_argument("--auth", help="user:password; authentication is then required")
    ap.add_argument("--exclude-mech", action="append", default=[])
    ap.add_argument("--hold-data", type=float, default=0,
                    help="seconds to wait before answering the end of the message")
    ap.add_argument("--host", default="127.0.0.1", help="address to listen on, e.g. ::1")
    ap.add_argument("--refuse-sender", action="append", default=[],
                    help="answer MAIL FROM with this address with 553")
    ap.add_argument("--refuse-rcpt", action="append", default=[],
                    help="answer RCPT TO with this address with 550")
    ap.add_argument("--refuse-sender-at-rcpt", action="append", default=[],
                    help="accept MAIL FROM with this address, then answer every RCPT TO with 553")
    ap.add_argument("--maildir", help="also deliver every message into this Maildir")
    args = ap.parse_args()

    context = None
    if args.mode != "plain":
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)

    def authenticator(server, session, envelope, mechanism, auth_data):
        user, _, password = args.auth.partition(":")
        ok = (auth_data.login == user.encode() and auth_data.password == password.encode())
        # aiosmtpd 1.4.3 leaves the client waiting unless a failure is marked unhandled.
        return AuthResult(success=True) if ok else AuthResult(success=False, handled=False)

    handler = Saver(args.dir, args.hold_data, args.refuse_sender, args.refuse_rcpt, args.maildir,
                    args.refuse_sender_at_rcpt)
    options = {}
    if args.auth:
        options.update(authenticator=authenticator, auth_required=True,
                       auth_exclude_mechanism=args.exclude_mech)
    if args.mode == "starttls":
        options.update(tls_context=context, require_starttls=True)
    if args.mode == "tls" or (args.mode == "plain" and args.auth):
        options.update(auth_require_tls=False)

    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)

    def factory():
        return SMTP(handler, hostname="kolt-test", loop=loop, **options)

    server = loop.run_until_complete(loop.create_server(
        factory, host=args.host, port=0, ssl=context if args.mode == "tls" else None))
    port = server.sockets[0].getsockname()[1]
    print(port, flush=True)

    def wait_for_stdin():
        sys.stdin.read()
        loop.call_soon_threadsafe(loop.stop)

    threading.Thread(target=wait_for_stdin, daemon=True).start()
    loop.run_forever()


if __name__ == "__main__":
    main()
