#pragma once

#include <QByteArray>
#include <QObject>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "instrument.h"
#include "scpi_parser.h"

namespace kalvira::remote {

// One client's conversation with the instrument, line by line. The responses of a line's
// queries go out together, joined by ';' and ended by '\n', once the line is done. *OPC? and *WAI
// after a :SINGle hold the rest of the line, and the lines after it, until the record is
// complete (or the run has ended otherwise). A failure the run reports queues a -300 error.
class ScpiSession final : public QObject {
    Q_OBJECT
public:
    explicit ScpiSession(scope::Scope &scope, QObject *parent = nullptr);

    Instrument &instrument() { return instrument_; }

    // Takes one program line, without its line end; while a line is held it waits its turn.
    void takeLine(std::string_view line);
    // A line is held by *OPC? or *WAI: better not send the next one before ready().
    bool busy() const { return !held_.empty(); }
    // The client has gone: what it had sent and not yet run is forgotten.
    void forget();

signals:
    void replied(const QByteArray &message);
    void ready();

private:
    void proceed();
    void runChanged();
    bool waitsForCompletion(const ProgramUnit &unit) const;

    Instrument instrument_;
    std::deque<ProgramUnit> held_;        // the rest of the line in progress
    std::vector<std::string> responses_;  // its responses so far
    std::deque<std::string> waiting_;     // lines taken while one was held
};

}  // namespace kalvira::remote
