#pragma once
// A file layer under the database engine that makes the n-th write or sync fail, as a full
// disk or a failing drive would. While it is installed every database opened uses it.
#include <QString>

class FaultyVfs {
public:
    enum class Op { Write, Sync };
    FaultyVfs();  // installs it as the engine's default
    ~FaultyVfs(); // puts the engine's own back

    // The n-th operation of this kind from now on fails (n = 1: the next one); 0 disarms.
    void failAt(Op op, int n);
    // Whether the armed fault has struck since failAt().
    bool struck() const;
    void disarm() { failAt(Op::Write, 0); }
};
