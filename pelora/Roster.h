#pragma once

#include "pelora/Persons.h"
#include "runtime/Collection.h"
#include "runtime/Ref.h"

namespace pelora {

// The roster that a click sorts: twelve students, then eight teachers, each made by its class's
// factory in the roster's order (the trace names them Student#1 to Teacher#20). The roster holds
// the two factories as long as it lives; they are made when first used.
struct Roster {
    runtime::SelfCreatingRef<Student> studentFactory;
    runtime::SelfCreatingRef<Teacher> teacherFactory;
    runtime::SelfCreatingRef<runtime::Collection> persons;

    Roster();
};

} // namespace pelora
