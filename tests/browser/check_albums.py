#!/usr/bin/env python3
"""Makes albums with kadrela-batch from real photos and checks them in headless Chromium.

Every album is opened from disk (file://). For each one: every page loads, every picture on
it decodes, every link that stays inside the album names a file that is there, every page is
reachable from the main page, "next" on the photo pages runs once round all photos, the
pop-up descriptions appear only under the pointer and tell the truth about the photo, table
descriptions likewise, background pictures load, and Polish letters come out as Polish
letters. Modern albums are also looked at on a phone and a desktop screen: no page scrolls
sideways, every photo fits the window, high-density screens get the double-size thumbnails,
keys and swipes move between the photos, no script fails, and every page is reached with
scripts off. Any failure is listed and the exit status is 1; a browser that cannot be started
is a failure too, never a skip.
"""

import argparse
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import urllib.parse
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import devtools  # noqa: E402

TITLE = "Zażółć gęślą jaźń"
POLISH_DIR = "Zażółć gęślą"
POLISH_PHOTO = "Źdźbło łąki.jpg"

# Where the photos come from (mate-backgrounds): small ones, one name used twice on purpose.
PHOTOS = [
    (POLISH_DIR + "/" + POLISH_PHOTO, "nature/FreshFlower.jpg"),
    (POLISH_DIR + "/Łąka.jpg", "nature/GreenMeadow.jpg"),
    (POLISH_DIR + "/kwiat.png", None),
    ("Jesień/Aqua.jpg", "nature/Aqua.jpg"),
    ("Jesień/Garden.jpg", "nature/Garden.jpg"),
    ("Jesień/ikona.gif", None),
    ("inne/GreenTraditional.jpg", "desktop/GreenTraditional.jpg"),
    ("inne/Łąka.jpg", "nature/YellowFlower.jpg"),
    ("inne/Burza.jpg", "nature/Storm.jpg"),  # a camera's EXIF: date, model, exposure
]
# A caption written into one photo's XMP, with what HTML must escape.
CAPTION = "Źdźbło „łąki” & <b>rosa</b> <script>x()</script>"
CAPTIONED_PHOTO = POLISH_PHOTO
SHOT_PHOTO, SHOT_TEXTS = "Burza.jpg", ("2008-04-20 19:12:06", "Canon EOS 400D DIGITAL", "1/3 s")
PHOTO_EXTENSIONS = (".jpg", ".jpeg", ".png", ".gif", ".bmp")

# Text that only shows when Polish letters were decoded with the wrong code page, or an
# entity written twice over.
MOJIBAKE = ("\ufffd", "Ĺ", "Ă", "Ä", "Ã", "Å", "&#")


class Album:
    def __init__(self, name, layout, language, photo_pages, reduced_originals, description,
                 backgrounds, modern=None, dark=False):
        self.modern = modern  # None, or the kadrela-batch options after --modern
        self.dark = dark  # light text on a dark page
        self.name = name
        self.layout = layout
        self.language = language
        self.photo_pages = photo_pages
        self.reduced_originals = reduced_originals
        self.description = description  # "popup", "table" or None
        self.backgrounds = backgrounds  # subset of {"page", "table", "cell"}

    def label(self):
        return "%s [%s, %s, photo pages %s, %s, descriptions %s, backgrounds %s%s]" % (
            self.name, self.layout, self.language, "on" if self.photo_pages else "off",
            "reduced originals" if self.reduced_originals else "thumbnails",
            self.description or "none", ",".join(sorted(self.backgrounds)) or "none",
            "" if self.modern is None else ", modern %s" % " ".join(self.modern))

    def originals(self):
        """Whether the album holds the photos themselves."""
        return self.modern is None or "--no-originals" not in self.modern


# Every layout in both languages with photo pages on and off; the other choices rotate so
# that pop-ups and tables each meet both thumbnail kinds and both languages.
ALBUMS = [
    Album("a01", "directories", "pl", True, False, "popup", {"page"}),
    Album("a02", "directories", "pl", False, True, "table", {"table", "cell"}),
    Album("a03", "directories", "en", True, True, "popup", {"cell"}),
    Album("a04", "directories", "en", False, False, "table", {"page"}),
    Album("a05", "one-page", "pl", True, True, "table", {"page", "table"}),
    Album("a06", "one-page", "pl", False, False, "popup", {"cell"}),
    Album("a07", "one-page", "en", True, False, "table", {"table"}),
    Album("a08", "one-page", "en", False, True, "popup", {"page", "cell"}),
    Album("a09", "per-page", "pl", True, False, "popup", {"table"}),
    Album("a10", "per-page", "pl", False, True, "popup", {"page"}),
    Album("a11", "per-page", "en", True, True, "table", {"page", "table", "cell"}),
    Album("a12", "per-page", "en", False, False, None, set()),
    Album("m01", "directories", "pl", True, False, "popup", {"page"}, modern=[]),
    Album("m02", "one-page", "en", False, False, "table", {"cell"},
          modern=["--no-originals", "--display-size", "1280"]),
    Album("m03", "per-page", "en", True, False, "table", set(),
          modern=["--display-size", "full"], dark=True),
]
SCREENSHOT_ALBUM = "a01"
MODERN_SCREENSHOT_ALBUMS = ("m01", "m03")  # light, dark

# Screens modern albums are looked at on: width, height, device pixels per CSS pixel, phone.
SCREENS = [("phone", 390, 844, 3, True), ("desktop", 1440, 900, 2, False),
           ("narrow phone", 360, 740, 2, True)]


# --- fixtures ---------------------------------------------------------------------------

def write_png(path, width, height, pixel):
    rows = b"".join(
        b"\0" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(rows)))
        out.write(chunk(b"IEND", b""))


def make_photos(root, photo_source, gif_source):
    for relative, source in PHOTOS:
        target = os.path.join(root, relative)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        if relative.endswith(".png"):
            write_png(target, 120, 90, lambda x, y: (40 + x, 90 + y, 200 - x))
        elif relative.endswith(".gif"):
            shutil.copyfile(gif_source, target)
        else:
            path = os.path.join(photo_source, source)
            if not os.path.isfile(path):
                raise SystemExit("FAIL: photo %s is missing (Debian package mate-backgrounds; "
                                 "tools/install-dependencies --tests installs it)" % path)
            shutil.copyfile(path, target)
            if os.path.basename(relative) == CAPTIONED_PHOTO:
                add_xmp_caption(target, CAPTION)


def add_xmp_caption(path, caption):
    """Puts an XMP segment with dc:description right after the start of the JPEG."""
    text = caption.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
    packet = ('<x:xmpmeta xmlns:x="adobe:ns:meta/"><rdf:RDF xmlns:rdf='
              '"http://www.w3.org/1999/02/22-rdf-syntax-ns#"><rdf:Description rdf:about="" '
              'xmlns:dc="http://purl.org/dc/elements/1.1/"><dc:description><rdf:Alt>'
              '<rdf:li xml:lang="x-default">%s</rdf:li></rdf:Alt></dc:description>'
              '</rdf:Description></rdf:RDF></x:xmpmeta>' % text).encode("utf-8")
    payload = b"http://ns.adobe.com/xap/1.0/\0" + packet
    with open(path, "rb") as f:
        jpeg = f.read()
    segment = b"\xff\xe1" + struct.pack(">H", len(payload) + 2) + payload
    with open(path, "wb") as f:
        f.write(jpeg[:2] + segment + jpeg[2:])


def write_parameters(directory, album):
    """Writes a parameter file, and the background picture beside it when one is used."""
    background = "tło.png"
    if album.backgrounds:
        write_png(os.path.join(directory, background), 24, 24,
                  lambda x, y: (236, 242, 250) if (x // 12 + y // 12) % 2 else (250, 246, 236))
    lines = ["[Info]", "Info=Kadrela Settings", "", "[MainP]", "ColC=3", "CatS=1", "",
             "[AlbumP]", "ColC=3",
             "PInfo=%d" % (album.description is not None),
             "PInfoType=%d" % (album.description == "table"),
             "PInfoFN=1", "PInfoD=1", "PInfoS=1",
             "Thumb=%d" % album.reduced_originals, "ThumbW=160", "ThumbH=120", "",
             "[Bckg]"]
    if album.dark:
        light = "$00F0EEEC"
        lines[lines.index("[AlbumP]") + 1:lines.index("[AlbumP]") + 1] = [
            "%sCol=%s" % (font, light)
            for font in ("TitleF", "DescF", "PInfoFNF", "PInfoDF", "PInfoSF")]
        lines[lines.index("[MainP]") + 1:lines.index("[MainP]") + 1] = ["TitleFCol=" + light]
        lines += ["PBck=1", "PBckCol=$00302A26"]
    for key, kind in (("PBck", "page"), ("TBck", "table"), ("CBck", "cell")):
        used = kind in album.backgrounds
        lines += ["%s=%d" % (key, used), "%sF=%d" % (key, used),
                  "%sP=%s" % (key, background if used else "")]
    lines += ["", "[PhotoP]", "Create=%d" % (0 if album.photo_pages else 1), "Descr=1",
              "PInfoFN=1", "PInfoD=1", "PInfoS=1", ""]
    if album.dark:
        lines[-1:-1] = ["%sCol=$00F0EEEC" % font
                        for font in ("TitleF", "PInfoFNF", "PInfoDF", "PInfoSF")]
    path = os.path.join(directory, "look.ini")
    # Parameter files are kept in the Central European Windows code page.
    with open(path, "w", encoding="cp1250") as out:
        out.write("\n".join(lines))
    return path


def make_album(batch, album, work, photos):
    location = os.path.join(work, album.name)
    os.makedirs(location)
    parameters = write_parameters(location, album)
    command = [batch, "-q", "-t", TITLE, "-o", location, "-p", parameters,
               "-l", album.language, "-m", album.layout, "--sort", photos]
    if album.layout == "per-page":
        command[-2:-2] = ["-n", "3"]
    if album.modern is not None:
        command[-2:-2] = ["--modern"] + album.modern
    run = subprocess.run(command, capture_output=True, text=True, timeout=120)
    if run.returncode != 0:
        raise CheckFailed("kadrela-batch exited with %d: %s" % (run.returncode,
                                                                run.stderr.strip()))
    main_page = run.stdout.strip()
    if not os.path.isfile(main_page):
        raise CheckFailed("kadrela-batch named %r as the main page, which is not there"
                          % main_page)
    album_dir = os.path.splitext(main_page)[0]
    return location, main_page, album_dir


# --- checks -------------------------------------------------------------------------------

class CheckFailed(Exception):
    pass


def file_url(path):
    return "file://" + urllib.parse.quote(os.path.abspath(path))


def url_path(url):
    parts = urllib.parse.urlsplit(url)
    if parts.scheme != "file":
        return None
    return urllib.parse.unquote(parts.path)


PAGE_FACTS = r"""
(async () => {
  const wait = ms => new Promise(r => setTimeout(r, ms));
  // Every picture, those a modern page loads only when scrolled to included.
  for (const im of document.images) im.loading = 'eager';
  for (let i = 0; i < 200 && ![...document.images].every(im => im.complete); ++i) await wait(25);
  const background = async el => {
    if (!el) return null;
    const m = /url\("?(.*?)"?\)/.exec(getComputedStyle(el).backgroundImage);
    if (!m) return {url: null, width: 0};
    const im = new Image();
    im.src = m[1];
    try { await im.decode(); } catch (e) {}
    return {url: m[1], width: im.naturalWidth};
  };
  return {
    title: document.title,
    charset: document.characterSet,
    text: document.body ? document.body.innerText : '',
    headings: [...document.querySelectorAll('h1,h2')].map(h => h.innerText.trim()),
    attributes: [...document.querySelectorAll('[title],[alt]')]
        .map(e => (e.getAttribute('title') || '') + ' ' + (e.getAttribute('alt') || '')),
    images: [...document.images].map(im => ({src: im.src, width: im.naturalWidth})),
    links: [...document.querySelectorAll('a[href]')].map(a => ({
        href: a.href, icon: (a.querySelector('img') || {}).src || ''})),
    styles: [...document.querySelectorAll('link[rel=stylesheet]')]
        .map(l => ({href: l.href, loaded: !!l.sheet})),
    backgrounds: {page: await background(document.body),
                  table: await background(document.querySelector('.td1')),
                  cell: await background(document.querySelector('.td2'))},
  };
})()
"""

NATURAL_SIZE = r"""
(async () => {
  const im = new Image();
  im.src = %s;
  try { await im.decode(); } catch (e) { return [0, 0]; }
  return [im.naturalWidth, im.naturalHeight];
})()
"""

POPUP_CELLS = r"""
[...document.querySelectorAll('ul#gallery > li')].map((li, i) => {
  const popup = li.querySelector('ul');
  const img = li.querySelector('img');
  return {index: i, alt: img ? img.getAttribute('alt') : null,
          href: li.querySelector('a') ? li.querySelector('a').href : null,
          hasPopup: !!popup,
          display: popup ? getComputedStyle(popup).display : null};
})
"""

POPUP_AFTER_HOVER = r"""
(() => {
  const li = document.querySelectorAll('ul#gallery > li')[%d];
  const popup = li.querySelector('ul');
  const style = getComputedStyle(popup);
  const r = popup.getBoundingClientRect();
  const top = document.elementFromPoint(r.left + r.width / 2, r.top + Math.min(r.height / 2, 10));
  return {display: style.display, visibility: style.visibility,
          width: r.width, height: r.height, onTop: !!top && popup.contains(top),
          items: [...popup.querySelectorAll('li')].map(x => x.innerText.trim()),
          heading: getComputedStyle(popup, '::before').content,
          footer: getComputedStyle(popup, '::after').content};
})()
"""

HOVER_POINT = r"""
(() => {
  const img = document.querySelectorAll('ul#gallery > li')[%d].querySelector('img');
  img.scrollIntoView({block: 'center'});
  const r = img.getBoundingClientRect();
  return [r.left + r.width / 2, r.top + r.height / 2];
})()
"""

TABLE_CELLS = r"""
[...document.querySelectorAll('.td2')].filter(td => td.querySelector('img')).map(td => {
  const shown = sel => { const e = td.querySelector(sel);
                         return e && e.offsetHeight > 0 ? e.innerText.trim() : null; };
  return {alt: td.querySelector('img').getAttribute('alt'),
          name: shown('div.td3'), dimensions: shown('div.td4'), size: shown('div.td5')};
})
"""

# What a modern photo page says about the photo under it: caption and shot, as shown.
ABOUT_PHOTO = r"""
(() => {
  const shown = sel => { const e = document.querySelector(sel);
                         if (!e) return null;
                         const r = e.getBoundingClientRect();
                         return r.height > 0 && r.bottom <= innerHeight + 1 ? e.innerText.trim()
                                                                            : 'hidden'; };
  const photo = document.querySelector('img.pd4');
  return {alt: photo ? photo.getAttribute('alt') : null, caption: shown('.about .caption'),
          shot: shown('.about .shot'),
          markup: document.querySelectorAll('.about b, .about script').length};
})()
"""

PHOTO_PAGE = r"""
(() => {
  const shown = sel => { const e = document.querySelector(sel);
                         return e && e.offsetHeight > 0 ? e.innerText.trim() : null; };
  const photo = document.querySelector('img.pd4');
  return {heading: shown('h1'), src: photo ? photo.src : null,
          alt: photo ? photo.getAttribute('alt') : null,
          natural: photo ? [photo.naturalWidth, photo.naturalHeight] : [0, 0],
          name: shown('div.pd1'), dimensions: shown('div.pd2'), size: shown('div.pd3')};
})()
"""


def size_matches(text, size_bytes):
    match = re.search(r"(\d+)[.,](\d\d)\s*(B|KB|MB|GB)\b", text or "")
    if not match:
        return False
    value = float(match.group(1) + "." + match.group(2))
    unit = {"B": 1, "KB": 1024, "MB": 1024 ** 2, "GB": 1024 ** 3}[match.group(3)]
    return abs(value - size_bytes / unit) <= 0.0051


class AlbumCheck:
    def __init__(self, browser, album, location, main_page, album_dir):
        self.browser = browser
        self.album = album
        self.location = os.path.realpath(location)
        self.main_page = main_page
        self.album_dir = album_dir
        self.failures = []
        self.facts = {}  # page path -> facts
        self.texts = []

    def fail(self, message):
        self.failures.append(message)

    def rel(self, path):
        return os.path.relpath(path, self.location)

    def inside(self, path):
        return os.path.realpath(path).startswith(self.location + os.sep)

    def open(self, path):
        error = self.browser.navigate(file_url(path))
        if error:
            self.fail("%s does not load: %s" % (self.rel(path), error))
            return None
        return self.browser.evaluate(PAGE_FACTS)

    # Every page loads, its pictures decode, its links and style sheets exist.
    def check_page(self, path):
        facts = self.open(path)
        if facts is None:
            return []
        self.facts[path] = facts
        name = self.rel(path)
        for image in facts["images"]:
            if image["width"] <= 0:
                self.fail("%s: picture %s did not load" % (name, image["src"]))
        for style in facts["styles"]:
            if not style["loaded"]:
                self.fail("%s: style sheet %s did not load" % (name, style["href"]))
        pages = []
        for link in facts["links"]:
            target = url_path(link["href"])
            if target is None:
                self.fail("%s: link leaves the album for %s" % (name, link["href"]))
                continue
            if not self.inside(target):
                self.fail("%s: link leaves the album for %s" % (name, target))
            elif not os.path.isfile(target):
                self.fail("%s: link to %s, which is not there" % (name, self.rel(target)))
            elif target.endswith(".html"):
                pages.append(os.path.realpath(target))
        for kind in ("page", "table", "cell"):
            background = facts["backgrounds"][kind]
            if kind not in self.album.backgrounds or background is None:
                continue
            if not background["url"]:
                self.fail("%s: no background picture on the %s" % (name, kind))
            elif background["width"] <= 0:
                self.fail("%s: %s background %s did not load" % (name, kind, background["url"]))
        texts = [facts["title"], facts["text"]] + facts["headings"] + facts["attributes"]
        for text in texts:
            bad = [marker for marker in MOJIBAKE if marker in text]
            if bad:
                self.fail("%s: garbled text %r (contains %r)" % (name, text[:120], bad))
        if TITLE not in facts["title"]:
            self.fail("%s: window title %r lacks the album title" % (name, facts["title"]))
        self.texts += texts
        return pages

    def crawl(self):
        main = os.path.realpath(self.main_page)
        queue, reached = [main], {main}
        while queue:
            for page in self.check_page(queue.pop(0)):
                if page not in reached:
                    reached.add(page)
                    queue.append(page)
        written = {os.path.realpath(os.path.join(self.album_dir, f))
                   for f in os.listdir(self.album_dir) if f.endswith(".html")}
        for page in sorted(written - reached):
            self.fail("%s cannot be reached from the main page" % self.rel(page))
            self.check_page(page)
        shown = set()
        for facts in self.facts.values():
            shown |= {url_path(i["src"]) for i in facts["images"]}
            shown |= {url_path(a["href"]) for a in facts["links"]}
        for name in self.photo_names():
            if os.path.join(os.path.realpath(self.album_dir), name) not in shown:
                self.fail("photo %s is shown and linked by no page" % name)

    def photo_names(self):
        """The photos the album holds (with modern pages and no originals, the PNG and GIF
        photos alone): what is not a thumbnail, a modern page copy or a picture of ours."""
        return sorted(f for f in os.listdir(self.album_dir)
                      if f.lower().endswith(PHOTO_EXTENSIONS)
                      and not f.startswith(("th_", "th2_", "d_"))
                      and f not in ("home.gif", "prev.gif", "next.gif", "index.gif", "main.png")
                      and not re.match(r"(p|t|td)bck", f))

    def check_polish(self):
        wanted = [TITLE, POLISH_PHOTO]
        if self.album.layout == "directories":
            wanted.append(POLISH_DIR)
        everything = "\n".join(self.texts)
        for text in wanted:
            if text not in everything:
                self.fail("%r is shown on no page" % text)
        main = self.facts.get(os.path.realpath(self.main_page))
        if main and TITLE not in main["headings"]:
            self.fail("main page heading is %r, not the album title" % main["headings"])

    # "next" from the first photo page visits every photo page once and comes back.
    def check_next_chain(self):
        photo_pages = sorted(f for f in os.listdir(self.album_dir)
                             if re.fullmatch(r"p-\d+\.html", f))
        if not self.album.photo_pages:
            if photo_pages:
                self.fail("photo pages written although switched off: %s" % photo_pages)
            return
        count = len(PHOTOS)
        if len(photo_pages) != count:
            self.fail("%d photo pages for %d photos" % (len(photo_pages), count))
        start = os.path.realpath(os.path.join(self.album_dir, "p-0.html"))
        page, visited = start, []
        for _ in range(count + 2):
            visited.append(page)
            facts = self.facts.get(page)
            if facts is None:
                self.fail("photo page %s was not loaded" % self.rel(page))
                return
            following = [a["href"] for a in facts["links"] if a["icon"].endswith("/next.gif")]
            if len(following) != 1:
                self.fail("%s has %d next links" % (self.rel(page), len(following)))
                return
            page = os.path.realpath(url_path(following[0]))
            if page == start:
                break
        names = [os.path.basename(p) for p in visited]
        if page != start:
            self.fail("next does not lead back to the first photo page: %s" % names)
        elif len(visited) != count or len(set(visited)) != len(visited):
            self.fail("next visits %s for %d photos" % (names, count))
        elif set(names) != set(photo_pages):
            self.fail("next visits %s, photo pages are %s" % (names, photo_pages))

    # A photo page shows its photo whole, under its name, and describes it truly.
    def check_photo_pages(self):
        for page in sorted(p for p in self.facts if re.fullmatch(r"p-\d+\.html",
                                                                  os.path.basename(p))):
            if self.browser.navigate(file_url(page)):
                continue
            shown = self.browser.evaluate(PHOTO_PAGE)
            where = "%s, photo page" % self.rel(page)
            if not shown["src"]:
                self.fail("%s: no photo" % where)
                continue
            name = os.path.basename(url_path(shown["src"]))
            if self.album.modern is not None:
                self.check_display_copy(where, shown)
                name = shown["alt"]
                if not self.album.originals():
                    if shown["heading"] != name or shown["name"] != name:
                        self.fail("%s: heading %r, description %r for %r"
                                  % (where, shown["heading"], shown["name"], name))
                    continue
            truth = self.photo_truth(name)
            if shown["heading"] != name:
                self.fail("%s: heading %r for photo %s" % (where, shown["heading"], name))
            if shown["name"] != name:
                self.fail("%s: description names %r for photo %s" % (where, shown["name"], name))
            self.check_description_text(where, name, truth, shown["dimensions"], shown["size"])
            if self.album.modern is None and truth and \
                    "[%dx%d]" % tuple(shown["natural"]) != truth["dimensions"]:
                self.fail("%s: photo shown at %s, not whole" % (where, shown["natural"]))

    # Captions and shot details from the photos' metadata, shown as text under the photo.
    def check_about_photo(self):
        seen = set()
        pages = sorted(p for p in self.facts if re.fullmatch(r"p-\d+\.html", os.path.basename(p)))
        if not pages:
            return
        for page in pages:
            if self.browser.navigate(file_url(page)):
                continue
            about = self.browser.evaluate(ABOUT_PHOTO)
            where = "%s, photo page of %s" % (self.rel(page), about["alt"])
            if about["markup"]:
                self.fail("%s: the caption made markup of its text" % where)
            if about["alt"] == CAPTIONED_PHOTO:
                seen.add("caption")
                if about["caption"] != CAPTION:
                    self.fail("%s: caption %r, not %r" % (where, about["caption"], CAPTION))
                self.texts.append(about["caption"] or "")
            elif about["caption"] is not None:
                self.fail("%s: caption %r for a photo without one" % (where, about["caption"]))
            if about["alt"] == SHOT_PHOTO:
                seen.add("shot")
                if not about["shot"] or not all(t in about["shot"] for t in SHOT_TEXTS):
                    self.fail("%s: shot %r, wanted %s" % (where, about["shot"], SHOT_TEXTS))
        if seen != {"caption", "shot"}:
            self.fail("caption and shot shown on %s only" % sorted(seen))

    # A modern photo page shows a copy no longer than the chosen side, never the full-size
    # JPEG when a side is chosen, and with the photo's proportions.
    def check_display_copy(self, where, shown):
        name = os.path.basename(url_path(shown["src"]))
        width, height = shown["natural"]
        side = self.album.modern[self.album.modern.index("--display-size") + 1] \
            if "--display-size" in self.album.modern else "2048"
        own_picture = shown["alt"].lower().endswith((".png", ".gif"))
        if own_picture != (name == shown["alt"]):
            self.fail("%s: shows %s for the photo %s" % (where, name, shown["alt"]))
        if side != "full" and max(width, height) > int(side):
            self.fail("%s: page copy %s is %dx%d, longer than %s" % (where, name, width,
                                                                    height, side))
        original = self.photo_truth(shown["alt"])
        if original and not own_picture:
            ow, oh = map(int, re.findall(r"\d+", original["dimensions"]))
            if abs(width / height - ow / oh) > 0.01 or width > ow or \
                    (side == "full" and (width, height) != (ow, oh)):
                self.fail("%s: page copy %dx%d of a %dx%d photo" % (where, width, height,
                                                                   ow, oh))

    def thumbnail_pages(self):
        return sorted(p for p in self.facts
                      if re.fullmatch(r"main(-\d+)?\.html", os.path.basename(p))
                      and os.path.dirname(p) == os.path.realpath(self.album_dir))

    def photo_truth(self, name):
        """Name, dimensions as the browser decodes them, and byte size of a copied photo."""
        path = os.path.join(self.album_dir, name)
        if not os.path.isfile(path):
            return None
        width, height = self.browser.evaluate(NATURAL_SIZE % repr(file_url(path)))
        return {"size": os.path.getsize(path), "dimensions": "[%dx%d]" % (width, height),
                "jpeg": name.lower().endswith((".jpg", ".jpeg"))}

    def check_description_text(self, where, name, truth, dimensions, size):
        if truth is None:
            self.fail("%s: describes %r, which is no photo of the album" % (where, name))
            return
        if truth["jpeg"] and dimensions != truth["dimensions"]:
            self.fail("%s: dimensions %r, the photo is %s" % (where, dimensions,
                                                            truth["dimensions"]))
        if not size_matches(size, truth["size"]):
            self.fail("%s: size %r, the photo has %d bytes" % (where, size, truth["size"]))

    # The pop-up stays hidden until the pointer is over its thumbnail, then names the photo.
    def check_popups(self, screenshot=None):
        hovered = 0
        for page in self.thumbnail_pages():
            name = self.rel(page)
            if self.browser.navigate(file_url(page)):
                continue
            cells = self.browser.evaluate(POPUP_CELLS)
            if not cells:
                self.fail("%s: no pop-up descriptions" % name)
            for cell in cells:
                where = "%s, pop-up of %s" % (name, cell["alt"])
                if not cell["hasPopup"]:
                    self.fail("%s: missing" % where)
                    continue
                self.browser.move_mouse(1, 1)
                if self.browser.evaluate(POPUP_CELLS)[cell["index"]]["display"] != "none":
                    self.fail("%s: shown without the pointer over it" % where)
                x, y = self.browser.evaluate(HOVER_POINT % cell["index"])
                self.browser.move_mouse(x, y)
                shown = self.browser.evaluate(POPUP_AFTER_HOVER % cell["index"])
                if (shown["display"] == "none" or shown["visibility"] != "visible"
                        or shown["width"] <= 0 or shown["height"] <= 0 or not shown["onTop"]):
                    self.fail("%s: not visible under the pointer: %s" % (where, shown))
                    continue
                hovered += 1
                items = shown["items"]
                for text in items + [shown["heading"], shown["footer"]]:
                    if any(marker in text for marker in MOJIBAKE):
                        self.fail("%s: garbled text %r" % (where, text))
                self.texts += items
                photo = cell["alt"]
                if not items or not items[0].endswith(photo):
                    self.fail("%s: first line %r does not name the photo" % (where, items[:1]))
                if not self.album.photo_pages and \
                        os.path.basename(url_path(cell["href"])) != photo:
                    self.fail("%s: links to %s" % (where, cell["href"]))
                truth = self.photo_truth(photo)
                dimensions = next((re.search(r"\[\d+x\d+\]", i).group(0) for i in items
                                   if re.search(r"\[\d+x\d+\]", i)), None)
                self.check_description_text(where, photo, truth, dimensions, items[-1])
                if screenshot and photo == POLISH_PHOTO:
                    self.browser.screenshot(screenshot)
                    screenshot = None
                self.browser.move_mouse(1, 1)
                if self.browser.evaluate(POPUP_CELLS)[cell["index"]]["display"] != "none":
                    self.fail("%s: stays open after the pointer left" % where)
        if hovered != len(PHOTOS):
            self.fail("pop-ups checked for %d of %d photos" % (hovered,
                                                               len(PHOTOS)))
        if screenshot:
            self.fail("no pop-up of %s to photograph" % POLISH_PHOTO)

    # Modern pop-ups: hidden until the pointer is over the thumbnail on a desktop, always
    # shown under it on a touch screen (checked in check_modern_screens).
    def check_modern_popups(self):
        hovered = 0
        for page in self.thumbnail_pages():
            if self.browser.navigate(file_url(page)):
                continue
            for cell in self.browser.evaluate(MODERN_POPUPS):
                where = "%s, pop-up of %s" % (self.rel(page), cell["alt"])
                if not cell["hasPopup"]:
                    self.fail("%s: missing" % where)
                    continue
                self.browser.move_mouse(1, 1)
                if self.browser.evaluate(MODERN_POPUPS)[cell["index"]]["shown"]:
                    self.fail("%s: shown without the pointer over it" % where)
                x, y = self.browser.evaluate(MODERN_HOVER_POINT % cell["index"])
                self.browser.move_mouse(x, y)
                shown = self.browser.evaluate(MODERN_POPUP % cell["index"])
                if not shown["visible"] or not shown["onTop"]:
                    self.fail("%s: not visible under the pointer: %s" % (where, shown))
                    continue
                hovered += 1
                items = shown["items"]
                self.texts += items
                if not items or not items[0].endswith(cell["alt"]):
                    self.fail("%s: first line %r does not name the photo" % (where, items[:1]))
                if cell["alt"] == CAPTIONED_PHOTO:
                    if items[-1:] != [CAPTION]:
                        self.fail("%s: last line %r, not the caption" % (where, items[-1:]))
                    items = items[:-1]
                truth = self.photo_truth(cell["alt"])
                if truth or self.album.originals():
                    dimensions = next((re.search(r"\[\d+x\d+\]", i).group(0) for i in items
                                       if re.search(r"\[\d+x\d+\]", i)), None)
                    self.check_description_text(where, cell["alt"], truth, dimensions,
                                                items[-1])
                self.browser.move_mouse(1, 1)
        if hovered != len(PHOTOS):
            self.fail("pop-ups checked for %d of %d photos" % (hovered, len(PHOTOS)))

    # Every page on every screen: nothing sideways, the photo inside the window and never
    # enlarged, the double-size thumbnails where a CSS pixel has more device pixels,
    # descriptions shown without a pointer on touch screens.
    def check_modern_screens(self, screenshot_directory=None):
        pages = sorted(self.facts)
        try:
            for screen, width, height, scale, mobile in SCREENS:
                self.browser.set_viewport(width, height, scale, mobile)
                for page in pages:
                    if self.browser.navigate(file_url(page)):
                        continue
                    seen = self.browser.evaluate(MODERN_LAYOUT)
                    where = "%s on a %s (%dx%d)" % (self.rel(page), screen, width, height)
                    if seen["scrollWidth"] > seen["width"]:
                        self.fail("%s: scrolls sideways (%d px wide)"
                                  % (where, seen["scrollWidth"]))
                    photo = seen["photo"]
                    if photo:
                        if (photo["left"] < -0.5 or photo["top"] < -0.5
                                or photo["right"] > seen["width"] + 0.5
                                or photo["bottom"] > seen["height"] + 0.5):
                            self.fail("%s: photo not inside the window: %s" % (where, photo))
                        if photo["width"] > photo["natural"] + 0.5:
                            self.fail("%s: photo enlarged to %.0f px from %d"
                                      % (where, photo["width"], photo["natural"]))
                        if seen["scrollHeight"] > seen["height"]:
                            self.fail("%s: photo page scrolls (%d px high)"
                                      % (where, seen["scrollHeight"]))
                    for thumbnail in seen["thumbnails"]:
                        wanted = "/th2_" if scale >= 2 else "/th_"
                        if not thumbnail["loaded"] or wanted not in thumbnail["current"]:
                            self.fail("%s: thumbnail %s loaded from %s"
                                      % (where, thumbnail["srcset"], thumbnail["current"]))
                    for caption in seen["captions"]:
                        if mobile and not caption["shown"]:
                            self.fail("%s: a description is hidden on a touch screen" % where)
                if screenshot_directory and screen in ("phone", "desktop"):
                    self.modern_screenshots(screenshot_directory, screen)
        finally:
            self.browser.set_viewport(self.browser.width, self.browser.height, 1, False)

    def modern_screenshots(self, directory, screen):
        colours = "dark" if self.album.dark else "light"
        first = os.path.realpath(os.path.join(self.album_dir, "main-1.html"))
        for kind, page in (("thumbnails", first), ("photo", os.path.join(self.album_dir,
                                                                          "p-1.html"))):
            self.browser.navigate(file_url(page))
            self.browser.evaluate(MODERN_LAYOUT)
            self.browser.screenshot(os.path.join(
                directory, "modern-%s-%s-%s.%s" % (screen, colours, kind,
                                                   "jpg" if kind == "photo" else "png")))

    # Keys and swipes lead where the links lead, round all photos as "next" does.
    def check_modern_navigation(self):
        if not self.album.photo_pages:
            return
        pages = lambda n: os.path.realpath(os.path.join(self.album_dir, "p-%d.html" % n))
        count = len(PHOTOS)
        index = self.facts.get(pages(0))
        up = next((url_path(a["href"]) for a in (index or {}).get("links", [])
                   if a["icon"].endswith("/index.gif")), None)
        moves = [("ArrowRight", "ArrowRight", 39, pages(0), pages(1)),
                 ("ArrowLeft", "ArrowLeft", 37, pages(1), pages(0)),
                 ("ArrowLeft", "ArrowLeft", 37, pages(0), pages(count - 1)),
                 ("ArrowRight", "ArrowRight", 39, pages(count - 1), pages(0)),
                 ("Escape", "Escape", 27, pages(0), up),
                 ("ArrowUp", "ArrowUp", 38, pages(1), up)]
        for key, code, key_code, start, wanted in moves:
            self.browser.navigate(file_url(start))
            landed = self.browser.press_key(key, code, key_code)
            landed = landed and os.path.realpath(url_path(landed))
            if not wanted or landed != os.path.realpath(wanted):
                self.fail("%s on %s leads to %s, not %s" % (key, self.rel(start), landed,
                                                            wanted and self.rel(wanted)))
        self.browser.set_viewport(390, 844, 3, True)
        try:
            for from_x, to_x, wanted in ((300, 60, pages(1)), (60, 300, pages(count - 1))):
                self.browser.navigate(file_url(pages(0)))
                landed = self.browser.swipe(from_x, to_x, 420)
                landed = landed and os.path.realpath(url_path(landed))
                if landed != wanted:
                    self.fail("a swipe from %d to %d on p-0.html leads to %s, not %s"
                              % (from_x, to_x, landed, self.rel(wanted)))
        finally:
            self.browser.set_viewport(self.browser.width, self.browser.height, 1, False)

    def check_table_descriptions(self):
        described = 0
        for page in self.thumbnail_pages():
            if self.browser.navigate(file_url(page)):
                continue
            for cell in self.browser.evaluate(TABLE_CELLS):
                described += 1
                where = "%s, table description of %s" % (self.rel(page), cell["alt"])
                if cell["name"] != cell["alt"]:
                    self.fail("%s: name shown as %r" % (where, cell["name"]))
                truth = self.photo_truth(cell["alt"])
                if truth or self.album.originals():
                    self.check_description_text(where, cell["alt"], truth, cell["dimensions"],
                                                cell["size"])
        if described != len(PHOTOS):
            self.fail("table descriptions for %d of %d photos" % (described,
                                                                  len(PHOTOS)))


MODERN_POPUPS = r"""
[...document.querySelectorAll('figure.td2')].map((figure, i) => {
  const popup = figure.querySelector('figcaption.popup');
  const img = figure.querySelector('img');
  const s = popup ? getComputedStyle(popup) : null;
  return {index: i, alt: img.getAttribute('alt'), hasPopup: !!popup,
          shown: !!s && s.visibility === 'visible' && popup.offsetHeight > 0};
})
"""

MODERN_POPUP = r"""
(() => {
  const figure = document.querySelectorAll('figure.td2')[%d];
  const popup = figure.querySelector('figcaption.popup');
  const r = popup.getBoundingClientRect();
  const top = document.elementFromPoint(r.left + r.width / 2, r.top + Math.min(r.height / 2, 10));
  return {visible: getComputedStyle(popup).visibility === 'visible' && r.height > 0,
          onTop: !!top && popup.contains(top), right: r.right, width: innerWidth,
          items: [...popup.children].map(x => x.innerText.trim())};
})()
"""

MODERN_HOVER_POINT = r"""
(() => {
  const img = document.querySelectorAll('figure.td2')[%d].querySelector('img');
  img.scrollIntoView({block: 'center'});
  const r = img.getBoundingClientRect();
  return [r.left + r.width / 2, r.top + r.height / 2];
})()
"""

# What a page looks like on the screen it is shown on.
MODERN_LAYOUT = r"""
(async () => {
  const wait = ms => new Promise(r => setTimeout(r, ms));
  const visible = [...document.images].filter(im => {
    const r = im.getBoundingClientRect();
    return r.top < innerHeight && r.bottom > 0;
  });
  for (let i = 0; i < 200 && !visible.every(im => im.complete); ++i) await wait(25);
  const root = document.documentElement;
  const photo = document.querySelector('img.pd4');
  const box = photo ? photo.getBoundingClientRect() : null;
  return {
    width: innerWidth, height: innerHeight, scrollWidth: root.scrollWidth,
    scrollHeight: root.scrollHeight,
    photo: box && {left: box.left, top: box.top, right: box.right, bottom: box.bottom,
                   width: box.width, natural: photo.naturalWidth, src: photo.currentSrc},
    thumbnails: visible.filter(im => im.srcset).map(im => ({
        current: im.currentSrc, srcset: im.srcset, loaded: im.naturalWidth > 0})),
    captions: [...document.querySelectorAll('figcaption')].map(c => {
        const r = c.getBoundingClientRect();
        return {shown: getComputedStyle(c).visibility === 'visible' && r.height > 0,
                right: r.right};
    }),
  };
})()
"""


def screenshots(browser, check, directory):
    os.makedirs(directory, exist_ok=True)
    browser.navigate(file_url(check.main_page))
    browser.screenshot(os.path.join(directory, "album-main.png"))
    check.check_popups(os.path.join(directory, "album-thumbnails-popup.png"))
    photo = [p for p, f in check.facts.items() if re.fullmatch(r"p-\d+\.html", os.path.basename(p))
             and f["headings"] and f["headings"][0] == POLISH_PHOTO]
    if not photo:
        check.fail("no photo page of %s to photograph" % POLISH_PHOTO)
        return
    browser.navigate(file_url(photo[0]))
    browser.screenshot(os.path.join(directory, "album-photo.png"))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--batch", required=True, help="the kadrela-batch program")
    parser.add_argument("--chromium", help="the browser (default: chromium on PATH)")
    parser.add_argument("--photos-from", default="/usr/share/backgrounds/mate")
    parser.add_argument("--gif", default=os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "album", "home.gif"))
    parser.add_argument("--screenshots", metavar="DIR",
                        help="also write the README's album screenshots into DIR")
    parser.add_argument("--keep", metavar="DIR", help="make the albums in DIR and keep them")
    parser.add_argument("--only", nargs="*", help="album names to check (default: all)")
    args = parser.parse_args()

    started = time.monotonic()
    work = args.keep or tempfile.mkdtemp(prefix="kadrela-albums-")
    os.makedirs(work, exist_ok=True)
    try:
        photos = os.path.join(work, "zdjęcia")
        if not os.path.isdir(photos):
            make_photos(photos, args.photos_from, args.gif)
        try:
            browser = devtools.Browser(devtools.find_chromium(args.chromium))
        except devtools.BrowserError as error:
            print("FAIL: the browser cannot start, so no album was checked.\n%s" % error)
            return 1
        print("browser: %s" % browser.version)
        failures = 0
        try:
            for album in ALBUMS:
                if args.only and album.name not in args.only:
                    continue
                if os.path.exists(os.path.join(work, album.name)):
                    shutil.rmtree(os.path.join(work, album.name))
                try:
                    check = AlbumCheck(browser, album, *make_album(args.batch, album, work,
                                                                    photos))
                    # Modern pages must work without scripts: crawled with them off.
                    browser.set_scripts(album.modern is None)
                    check.crawl()
                    browser.set_scripts(True)
                    check.check_polish()
                    check.check_next_chain()
                    check.check_photo_pages()
                    if album.modern is not None:
                        browser.script_errors()
                        check.check_modern_navigation()
                        check.check_about_photo()
                        check.check_modern_screens(
                            args.screenshots if album.name in MODERN_SCREENSHOT_ALBUMS else None)
                        for error in browser.script_errors():
                            check.fail("script error: %s" % error)
                    if album.description == "popup" and album.modern is not None:
                        check.check_modern_popups()
                    elif album.description == "popup":
                        if args.screenshots and album.name == SCREENSHOT_ALBUM:
                            screenshots(browser, check, args.screenshots)
                        else:
                            check.check_popups()
                    elif album.description == "table":
                        check.check_table_descriptions()
                    problems = check.failures
                    pages = len(check.facts)
                except (CheckFailed, devtools.BrowserError) as error:
                    problems, pages = [str(error)], 0
                status = "ok" if not problems else "FAIL"
                print("%-4s %s: %d pages" % (status, album.label(), pages))
                for problem in problems:
                    print("       - %s" % problem)
                failures += len(problems)
        finally:
            browser.close()
        print("%d failures, %.1f s" % (failures, time.monotonic() - started))
        return 1 if failures else 0
    finally:
        if not args.keep:
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
