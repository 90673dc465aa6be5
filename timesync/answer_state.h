#pragma once

// What came back from one request or one server: the burst and the agreement both sort
// their answers this way.
enum class AnswerState { NoAnswer, Bogus, Good };
