#pragma once

#include <array>

// The pages the user looked at last, so that "back" and "forward" can show
// them again: the tab of the main page control together with the sub-tabs of
// the evaluations and options page controls, because going back to
// "Auswertungen" should also bring back the evaluation that was open there.
class PageHistory {
public:
    struct Pages {
        int main = -1;
        int evaluations = -1;
        int options = -1;
        bool isEmpty() const { return main == -1 && evaluations == -1 && options == -1; }
        bool operator==(const Pages&) const = default;
    };

    static constexpr int Size = 6;

    PageHistory();

    // The user changed a page: it becomes the newest entry. Pages that could
    // still be reached with forward are dropped first, as in a web browser.
    void SetHistory(Pages current);
    // The pages to show; a call that is not allowed (see canBack/canForward)
    // changes nothing and returns the pages at the current position.
    Pages back();
    Pages forward();
    bool canBack() const;
    bool canForward() const;

    int position() const { return m_position; }   // 1 = newest
    Pages entry(int number) const;                 // 1..Size; empty outside

private:
    std::array<Pages, Size> m_entries;
    int m_position = 1;
};
