#!/usr/bin/python3
"""Reads a received mail with Python's email package and describes what a mail reader sees in it,
one fact per line (values escaped: backslash, CR and LF as \\\\, \\r, \\n):

  header NAME: VALUE          every header in order, encoded words decoded
  defect WHERE: KIND          every defect the parser found (none in a well-formed mail)
  date-age SECONDS            how old the Date header is, from now
  max-line N                  the longest line of the raw mail, without its line end
  bare-line-breaks N          CR or LF bytes that are not part of a CR LF pair
  content-type TYPE           the mail's own content type
  body-charset CHARSET        the text body's charset
  body-line TEXT              each line of the text body, decoded from its charset
  attachment NAME SIZE HEX    each attached file: name, size and exact bytes

Usage: mail_check.py FILE.eml
"""
import email
import email.policy
import email.utils
import re
import sys
import time


def escape(text):
    return text.replace('\\', '\\\\').replace('\r', '\\r').replace('\n', '\\n')


def describe(raw):
    message = email.message_from_bytes(raw, policy=email.policy.default)
    facts = []
    for name, value in message.items():
        facts.append(f'header {name}: {escape(str(value))}')
        facts += [f'defect {name}: {type(d).__name__}' for d in getattr(value, 'defects', ())]
    for part in message.walk():
        facts += [f'defect {part.get_content_type()}: {type(d).__name__}' for d in part.defects]
    if message['Date'] is not None:
        age = time.time() - email.utils.parsedate_to_datetime(str(message['Date'])).timestamp()
        facts.append(f'date-age {round(age)}')
    lines = raw.split(b'\r\n')
    facts.append(f'max-line {max(len(line) for line in lines)}')
    bare = sum(line.count(b'\r') + line.count(b'\n') for line in lines)
    facts.append(f'bare-line-breaks {bare}')
    facts.append(f'content-type {message.get_content_type()}')
    body = message.get_body(preferencelist=('plain',))
    if body is not None:
        facts.append(f'body-charset {body.get_content_charset()}')
        text = body.get_content()
        body_lines = re.split(r'\r\n|\n', text)
        if body_lines and body_lines[-1] == '':
            body_lines.pop()  # the line end of the last line
        facts += [f'body-line {escape(line)}' for line in body_lines]
    for part in message.iter_attachments():
        content = part.get_payload(decode=True) or b''
        facts.append(f'attachment {escape(part.get_filename() or "")} {len(content)} {content.hex()}')
    return facts


if __name__ == '__main__':
    with open(sys.argv[1], 'rb') as f:
        print('\n'.join(describe(f.read())))
