// The two substitutions that turn stored launch texts into what is handed to Windows: the
// "%drive%" placeholder and references to environment variables written as %NAME%.
#pragma once

#include "base/text.h"

namespace diduzo {

// The launcher's environment variables, read at each call; nothing is cached.
class Environment {
 public:
  virtual ~Environment() = default;
  // The value, or the empty text for a variable that is undefined or empty.
  virtual Text get(const Text& name) = 0;
};

// Every "%drive%" (exactly so written) replaced by driveSpec; the inserted text is not rescanned.
Text expandDrive(TextView text, TextView driveSpec);

// Each text between two consecutive "%" signs of the input, from left to right, is looked up as
// a variable name; where it has a value, every "%NAME%" of the result so far becomes that value.
// The number of signs is kept in 8 signed bits: 128 to 255 (modulo 256) change nothing, and
// above 256 only the residue of signs is taken from the left. A replacement that would grow the
// result beyond the longest command line Windows accepts is not made.
Text expandEnvironment(TextView text, Environment& environment);

// The process's own environment (Windows builds only).
Environment& systemEnvironment();

}  // namespace diduzo
