// TUserInfo: the registered owner and organisation shown by the system-information window. The
// owner is the account's full name from the password database; the organisation is kept in
// the settings store and is empty until set there.
#pragma once

#include <stdexcept>
#include <string>

class ERegInfoNotFound : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class TUserInfo {
  public:
    std::string GetUserName() const;
    std::string GetCompanyName() const;
};
