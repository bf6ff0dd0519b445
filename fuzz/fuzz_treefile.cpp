// The category tree file reader: any bytes read without crashing, and what was read writes
// out in a form that reads back to the same tree.
#include "db/Errors.h"
#include "master/TreeFile.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    TreeLines lines;
    try {
        lines = treefile::parse(bytes);
    } catch (const AppError&) {
        return 0;
    }
    const QByteArray once = treefile::format(lines);
    TreeLines again;
    try {
        again = treefile::parse(once);
    } catch (const AppError& e) {
        std::fprintf(stderr, "written tree does not read back: %s\n", e.text().toUtf8().constData());
        std::abort();
    }
    if (again.size() != lines.size()) {
        std::fprintf(stderr, "written tree reads back with %d nodes instead of %d\n", int(again.size()), int(lines.size()));
        std::abort();
    }
    for (int i = 0; i < lines.size(); ++i)
        if (again[i].level != lines[i].level) {
            std::fprintf(stderr, "node %d moved from level %d to %d\n", i, lines[i].level, again[i].level);
            std::abort();
        }
    if (treefile::format(again) != once) {
        std::fprintf(stderr, "tree changes on a second write\n");
        std::abort();
    }
    return 0;
}
