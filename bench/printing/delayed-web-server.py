#!/usr/bin/env python3
"""Serves a folder on 127.0.0.1 as `python3 -m http.server` does, but waits before every response.

    delayed-web-server.py FOLDER

Listens on a port the system picks and names it, with the delay, in its first line:
"Serving HTTP on 127.0.0.1 port PORT with MS ms before every response".
"""
import functools
import http.server
import sys
import time

# Pages on the internet come from far away: a round trip to another continent and the server's
# own work take about this long before the first byte of any file, a page's or one of its style
# sheets', scripts' or pictures'. On 127.0.0.1 they would come at once, which no real page does.
RESPONSE_DELAY_SECONDS = 0.150


class DelayedHandler(http.server.SimpleHTTPRequestHandler):
    def send_head(self):
        time.sleep(RESPONSE_DELAY_SECONDS)
        return super().send_head()

    def log_message(self, format, *args):  # pylint: disable=redefined-builtin
        # Hundreds of requests a run; the log is kept for start-up failures.
        pass


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: delayed-web-server.py FOLDER")
    handler = functools.partial(DelayedHandler, directory=sys.argv[1])
    # A thread per request: a browser's parallel requests each wait their own delay side by side,
    # as they would on the internet, rather than one after another.
    with http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler) as server:
        print(f"Serving HTTP on 127.0.0.1 port {server.server_address[1]} with "
              f"{round(RESPONSE_DELAY_SECONDS * 1000)} ms before every response", flush=True)
        server.serve_forever()


if __name__ == "__main__":
    main()
