#include "DocPages.h"

const char *const kDocFolder = "/usr/share/doc/python3.11/html";

QStringList docPages()
{
    // From about 15 KB to 130 KB of HTML: one to a dozen printed sheets each.
    return {
        QStringLiteral("tutorial/appetite.html"),
        QStringLiteral("tutorial/interpreter.html"),
        QStringLiteral("tutorial/introduction.html"),
        QStringLiteral("tutorial/controlflow.html"),
        QStringLiteral("tutorial/datastructures.html"),
        QStringLiteral("tutorial/modules.html"),
        QStringLiteral("tutorial/inputoutput.html"),
        QStringLiteral("tutorial/errors.html"),
        QStringLiteral("tutorial/classes.html"),
        QStringLiteral("tutorial/stdlib.html"),
        QStringLiteral("tutorial/stdlib2.html"),
        QStringLiteral("tutorial/venv.html"),
        QStringLiteral("library/json.html"),
        QStringLiteral("library/csv.html"),
        QStringLiteral("library/base64.html"),
        QStringLiteral("library/bisect.html"),
        QStringLiteral("library/heapq.html"),
        QStringLiteral("library/gzip.html"),
        QStringLiteral("library/textwrap.html"),
        QStringLiteral("library/tempfile.html"),
    };
}
