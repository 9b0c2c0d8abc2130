#pragma once

#include <QByteArray>

#include <string>

// What reading a project file must always satisfy, shared by the libFuzzer target and by the test that
// replays the stored project corpus in every ordinary build.
namespace tavrin::fuzz {

// Empty where the bytes keep the property, otherwise what broke: a refusal needs a reason, and a file that is
// read must read back, once written, as the same project (read(write(read(x))) equals read(x)).
std::string projectRoundTripViolation(const QByteArray &bytes);

} // namespace tavrin::fuzz
