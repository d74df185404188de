// The error of the quiz tools: a message that names the file and line where it can.
#pragma once

#include <stdexcept>
#include <string>

class EQuizError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
