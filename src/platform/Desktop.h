#pragma once

#include <QString>

// Opens a file or a web address with the user's default program.
class Desktop {
public:
    virtual ~Desktop();
    // A path or an address ("https://…"); false when nothing could open it.
    virtual bool open(const QString& target) = 0;
};

class SystemDesktop : public Desktop {
public:
    bool open(const QString& target) override;
};
