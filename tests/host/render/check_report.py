"""Reads a kurvo-render report as a browser's parser would and says what is wrong with it.

Usage: check_report.py REPORT.html NAME...  (the names each input's section must carry, in order)
"""
import html.parser
import sys

VOID = {"meta", "img", "br", "hr", "input", "link", "source", "wbr"}


class Report(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.open = []
        self.errors = []
        self.headings = []
        self.heading = None
        self.summary_rows = 0
        self.pictures = 0
        self.has_viewport = False

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag not in VOID:
            self.open.append(tag)
        for key in ("src", "href"):
            link = attrs.get(key)
            if link is not None and not (link.startswith("#") or link.startswith("data:")):
                self.errors.append("a %s of <%s> leaves the page: %s" % (key, tag, link[:60]))
        if tag == "link":
            self.errors.append("<link> fetches a file")
        if tag == "meta" and attrs.get("name") == "viewport":
            self.has_viewport = True
        if tag == "img" and attrs.get("src", "").startswith("data:image/png;base64,"):
            self.pictures += 1
        if tag == "h2":
            self.heading = ""
        # Only the summary has a body of its own.
        if tag == "tr" and "tbody" in self.open:
            self.summary_rows += 1

    def handle_endtag(self, tag):
        if tag in VOID:
            return
        if not self.open or self.open[-1] != tag:
            self.errors.append("</%s> closes <%s>" % (tag, self.open[-1] if self.open else "nothing"))
            return
        self.open.pop()
        if tag == "h2":
            self.headings.append(self.heading)
            self.heading = None

    def handle_data(self, data):
        if self.heading is not None:
            self.heading += data


def main():
    report = Report()
    with open(sys.argv[1], encoding="utf-8") as page:
        report.feed(page.read())
    report.close()
    names = sys.argv[2:]
    expected = ["%d. %s" % (n, name) for n, name in enumerate(names, 1)]
    if report.open:
        report.errors.append("left open: %s" % report.open)
    if report.headings != expected:
        report.errors.append("sections %s, not %s" % (report.headings, expected))
    if report.summary_rows != len(names):
        report.errors.append("%d summary rows for %d inputs" % (report.summary_rows, len(names)))
    if not report.has_viewport:
        report.errors.append("no viewport for phones")
    print("pictures %d" % report.pictures)
    for error in report.errors:
        print(error)
    return 1 if report.errors else 0


if __name__ == "__main__":
    sys.exit(main())
