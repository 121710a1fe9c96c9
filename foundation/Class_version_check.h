#ifndef FOUNDATION_CLASS_VERSION_CHECK_H
#define FOUNDATION_CLASS_VERSION_CHECK_H

#include <boost/archive/archive_exception.hpp>
#include <boost/serialization/throw_exception.hpp>
#include <boost/serialization/version.hpp>

// The library hands a class body of a newer version than the code knows to the
// older serialize member, which then misreads every member after the change.
// Refuse it with the error the library raises for its own formats.
template <class T> void reject_newer_class_version(unsigned int const file_version, char const* class_name)
{
    if (file_version > unsigned(boost::serialization::version<T>::value))
        boost::serialization::throw_exception(boost::archive::archive_exception(
            boost::archive::archive_exception::unsupported_class_version, class_name));
}

#endif
