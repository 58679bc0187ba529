// Conditions must be numbers; a string is not true or false.
string name = "pump";
if (name)
    Start(name);
