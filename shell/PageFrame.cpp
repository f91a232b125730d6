// Opening, closing and returning from pages.
