"""A small client for Chromium's DevTools protocol over --remote-debugging-pipe.

Only the standard library: the browser reads commands from descriptor 3 and writes answers
and events to descriptor 4, each message a JSON text ended by a NUL byte.
"""

import json
import os
import select
import shutil
import subprocess
import tempfile
import time


class BrowserError(Exception):
    pass


def find_chromium(explicit=None):
    if explicit:
        return explicit
    for name in ("chromium", "chromium-browser", "google-chrome"):
        path = shutil.which(name)
        if path:
            return path
    raise BrowserError(
        "no Chromium found on PATH (looked for chromium, chromium-browser, google-chrome); "
        "install it with tools/install-dependencies --tests")


class Browser:
    def __init__(self, executable, width=1280, height=860, start_timeout=60):
        self.profile = tempfile.mkdtemp(prefix="kadrela-chromium-")
        self.log_path = os.path.join(self.profile, "chromium.log")
        self.width = width
        self.height = height
        self._next_id = 0
        self._buffer = b""
        self._events = []
        self.session = None

        to_browser_read, self._to_browser = os.pipe()
        self._from_browser, from_browser_write = os.pipe()

        def child_descriptors():
            # Copies first: either end may itself sit on descriptor 3 or 4.
            reading = os.dup(to_browser_read)
            writing = os.dup(from_browser_write)
            os.dup2(reading, 3)
            os.dup2(writing, 4)

        arguments = [
            executable,
            "--headless",
            "--no-sandbox",
            "--disable-gpu",
            "--disable-quic",
            "--no-first-run",
            "--no-default-browser-check",
            "--disable-background-networking",
            "--disable-component-update",
            "--disable-sync",
            "--disable-extensions",
            "--hide-scrollbars",
            "--mute-audio",
            "--remote-debugging-pipe",
            "--user-data-dir=" + self.profile,
            "--window-size=%d,%d" % (width, height),
            "about:blank",
        ]
        self._log = open(self.log_path, "wb")
        try:
            self.process = subprocess.Popen(
                arguments, stdin=subprocess.DEVNULL, stdout=self._log, stderr=self._log,
                preexec_fn=child_descriptors, close_fds=False)
        except OSError as error:
            self._log.close()
            shutil.rmtree(self.profile, ignore_errors=True)
            raise BrowserError("Chromium (%s) could not be started: %s" % (executable, error))
        finally:
            os.close(to_browser_read)
            os.close(from_browser_write)

        try:
            version = self.call("Browser.getVersion", timeout=start_timeout)
        except BrowserError as error:
            self.close()
            raise BrowserError("Chromium (%s) did not answer: %s\n--- its output ---\n%s"
                               % (executable, error, self.log_tail()))
        self.version = version.get("product", "?")
        target = self.call("Target.createTarget", {"url": "about:blank"})
        attached = self.call("Target.attachToTarget",
                             {"targetId": target["targetId"], "flatten": True})
        self.session = attached["sessionId"]
        self.page("Page.enable")
        self.page("Runtime.enable")
        self.page("Emulation.setDeviceMetricsOverride",
                  {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})

    def log_tail(self, lines=30):
        try:
            with open(self.log_path, "rb") as log:
                text = log.read().decode("utf-8", "replace")
        except OSError:
            return ""
        return "\n".join(text.splitlines()[-lines:])

    # --- messages -------------------------------------------------------------------------

    def _send(self, method, params, session):
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        data = json.dumps(message).encode("utf-8") + b"\0"
        try:
            while data:
                written = os.write(self._to_browser, data)
                data = data[written:]
        except OSError as error:
            try:
                code = self.process.wait(timeout=2)
            except subprocess.TimeoutExpired:
                code = None
            raise BrowserError("the browser's pipe closed (%s; exit status %s)" % (error, code))
        return self._next_id

    def _read_message(self, deadline):
        while b"\0" not in self._buffer:
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                return None
            ready, _, _ = select.select([self._from_browser], [], [], remaining)
            if not ready:
                return None
            chunk = os.read(self._from_browser, 1 << 20)
            if not chunk:
                code = self.process.poll()
                raise BrowserError("the browser went away (exit status %s)" % code)
            self._buffer += chunk
        text, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(text.decode("utf-8"))

    def call(self, method, params=None, session=None, timeout=30):
        wanted = self._send(method, params, session)
        deadline = time.monotonic() + timeout
        while True:
            message = self._read_message(deadline)
            if message is None:
                raise BrowserError("no answer to %s within %s s" % (method, timeout))
            if message.get("id") == wanted:
                if "error" in message:
                    raise BrowserError("%s failed: %s" % (method, message["error"]))
                return message.get("result", {})
            if "method" in message:
                self._events.append(message)

    def page(self, method, params=None, timeout=30):
        return self.call(method, params, session=self.session, timeout=timeout)

    def wait_event(self, method, timeout=30):
        deadline = time.monotonic() + timeout
        while True:
            for index, event in enumerate(self._events):
                if event["method"] == method:
                    del self._events[index]
                    return event.get("params", {})
            message = self._read_message(deadline)
            if message is None:
                raise BrowserError("no %s within %s s" % (method, timeout))
            if "method" in message:
                self._events.append(message)

    # --- page actions ---------------------------------------------------------------------

    def navigate(self, url, timeout=30):
        """Opens url and waits for its load event; returns the error text or None."""
        self._events = [e for e in self._events if e["method"] != "Page.loadEventFired"]
        result = self.page("Page.navigate", {"url": url}, timeout=timeout)
        if result.get("errorText"):
            return result["errorText"]
        self.wait_event("Page.loadEventFired", timeout=timeout)
        return None

    def evaluate(self, expression, timeout=30):
        result = self.page("Runtime.evaluate",
                           {"expression": expression, "returnByValue": True,
                            "awaitPromise": True}, timeout=timeout)
        if "exceptionDetails" in result:
            details = result["exceptionDetails"]
            raise BrowserError("script failed: %s" % details.get("exception", {}).get(
                "description", details.get("text")))
        return result["result"].get("value")

    def set_viewport(self, width, height, scale, mobile):
        """A phone (mobile, with a touch screen) or a desktop window of that size."""
        self.page("Emulation.setDeviceMetricsOverride",
                  {"width": width, "height": height, "deviceScaleFactor": scale,
                   "mobile": mobile})
        self.page("Emulation.setTouchEmulationEnabled",
                  {"enabled": mobile, "maxTouchPoints": 1})
        self.page("Emulation.setEmitTouchEventsForMouse", {"enabled": False})

    def set_scripts(self, enabled):
        self.page("Emulation.setScriptExecutionDisabled", {"value": not enabled})

    def script_errors(self):
        """The uncaught exceptions of the pages' own scripts since the last call."""
        errors = [e["params"]["exceptionDetails"] for e in self._events
                  if e["method"] == "Runtime.exceptionThrown"]
        self._events = [e for e in self._events if e["method"] != "Runtime.exceptionThrown"]
        return [d.get("exception", {}).get("description", d.get("text")) for d in errors]

    def press_key(self, key, code, key_code, timeout=10):
        """Presses and releases a key; returns the URL a navigation it starts lands on, or
        None when none starts."""
        self._events = [e for e in self._events if e["method"] != "Page.loadEventFired"]
        for kind in ("keyDown", "keyUp"):
            self.page("Input.dispatchKeyEvent",
                      {"type": kind, "key": key, "code": code,
                       "windowsVirtualKeyCode": key_code, "nativeVirtualKeyCode": key_code})
        return self._landed(timeout)

    def swipe(self, from_x, to_x, y, timeout=10):
        """One finger across the screen; the URL it leads to, or None."""
        self._events = [e for e in self._events if e["method"] != "Page.loadEventFired"]
        steps = [from_x + (to_x - from_x) * i / 5 for i in range(6)]
        self.page("Input.dispatchTouchEvent",
                  {"type": "touchStart", "touchPoints": [{"x": steps[0], "y": y}]})
        for x in steps[1:]:
            self.page("Input.dispatchTouchEvent",
                      {"type": "touchMove", "touchPoints": [{"x": x, "y": y}]})
        self.page("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})
        return self._landed(timeout)

    def _landed(self, timeout):
        try:
            self.wait_event("Page.loadEventFired", timeout=timeout)
        except BrowserError:
            return None
        return self.evaluate("location.href")

    def move_mouse(self, x, y):
        self.page("Input.dispatchMouseEvent", {"type": "mouseMoved", "x": x, "y": y})

    def screenshot(self, path):
        import base64
        # Photographs keep well as JPEG, at a tenth of a PNG's size.
        options = ({"format": "jpeg", "quality": 85} if path.endswith(".jpg")
                   else {"format": "png"})
        data = self.page("Page.captureScreenshot", options)["data"]
        with open(path, "wb") as out:
            out.write(base64.b64decode(data))

    def close(self):
        try:
            if self.process.poll() is None:
                try:
                    self.call("Browser.close", timeout=5)
                except BrowserError:
                    pass
                try:
                    self.process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    self.process.kill()
                    self.process.wait()
        finally:
            for fd in (self._to_browser, self._from_browser):
                try:
                    os.close(fd)
                except OSError:
                    pass
            self._log.close()
            shutil.rmtree(self.profile, ignore_errors=True)
