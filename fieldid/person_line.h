// A person's name taken for a place because one of its words is a town ("Elizabeth MacLeod",
// "Oliver Pennington"), or for a title while no line is the name.
#pragma once

// When the user part of an e-mail address names a line (its words given whole or by initial,
// the last one whole) of words without digits that won an address kind, or, while no such line
// scores Name, a title, a department or nothing and holds a listed first name, the line is the
// person's name: those kinds become 0, its address records are freed and it scores Name with the
// best score it had. A line with a digit that had won the name gives it up and scores Address
// instead, so that it joins the address it stands in. Runs after the winners are picked and
// before the address lines are joined.
void FID_person_taken_as_place();
