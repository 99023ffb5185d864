// Hands the maker's home page to the user's default web browser.
#pragma once

void OpenHomePage();
